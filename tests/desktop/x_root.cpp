#include "x_root.h"

#include <poll.h>

#include <cstdlib>
#include <cstring>
#include <memory>

namespace x_test {
namespace {

template <typename T>
std::unique_ptr<T, decltype(&std::free)> owned(T* reply) {
  return {reply, &std::free};
}

}  // namespace

XRoot::XRoot() {
  int screenNumber = 0;
  xcb_connection_t* connection = xcb_connect(nullptr, &screenNumber);
  if (connection == nullptr || xcb_connection_has_error(connection) != 0) {
    xcb_disconnect(connection);
    return;
  }
  connection_ = connection;
  xcb_screen_iterator_t screens = xcb_setup_roots_iterator(xcb_get_setup(connection_));
  for (int i = 0; i < screenNumber && screens.rem > 0; ++i) {
    xcb_screen_next(&screens);
  }
  root_ = screens.data->root;
  begin_ = atom("_NET_STARTUP_INFO_BEGIN");
  more_ = atom("_NET_STARTUP_INFO");
  // Startup messages are sent to the root window with this mask.
  const uint32_t mask = XCB_EVENT_MASK_PROPERTY_CHANGE;
  xcb_change_window_attributes(connection_, root_, XCB_CW_EVENT_MASK, &mask);
  owned(xcb_get_input_focus_reply(connection_, xcb_get_input_focus(connection_), nullptr));
}

XRoot::~XRoot() {
  if (connection_ != nullptr) {
    xcb_disconnect(connection_);
  }
}

xcb_atom_t XRoot::atom(const char* name) {
  const auto reply = owned(xcb_intern_atom_reply(
      connection_, xcb_intern_atom(connection_, 0, static_cast<uint16_t>(std::strlen(name)), name), nullptr));
  return reply ? reply->atom : XCB_ATOM_NONE;
}

std::optional<std::string> XRoot::take(const xcb_generic_event_t& event) {
  if ((event.response_type & 0x7f) != XCB_CLIENT_MESSAGE) {
    return std::nullopt;
  }
  const auto& message = reinterpret_cast<const xcb_client_message_event_t&>(event);
  if (message.format != 8 || (message.type != begin_ && message.type != more_)) {
    return std::nullopt;
  }
  if (message.type == begin_) {
    partial_[message.window].clear();
  } else if (!partial_.contains(message.window)) {
    return std::nullopt;  // the rest of a message whose beginning we missed
  }
  std::string& text = partial_[message.window];
  const auto* bytes = reinterpret_cast<const char*>(message.data.data8);
  const void* end = std::memchr(bytes, '\0', 20);
  text.append(bytes, end != nullptr ? static_cast<const char*>(end) - bytes : 20);
  if (end == nullptr) {
    return std::nullopt;
  }
  std::string whole = std::move(text);
  partial_.erase(message.window);
  return whole;
}

std::optional<std::string> XRoot::nextStartupMessage(std::chrono::milliseconds timeout) {
  const auto deadline = std::chrono::steady_clock::now() + timeout;
  for (;;) {
    while (xcb_generic_event_t* event = xcb_poll_for_event(connection_)) {
      std::optional<std::string> message = take(*event);
      std::free(event);
      if (message) {
        return message;
      }
    }
    if (xcb_connection_has_error(connection_) != 0) {
      return std::nullopt;
    }
    const auto left =
        std::chrono::duration_cast<std::chrono::milliseconds>(deadline - std::chrono::steady_clock::now());
    if (left.count() <= 0) {
      return std::nullopt;
    }
    pollfd watch{xcb_get_file_descriptor(connection_), POLLIN, 0};
    ::poll(&watch, 1, static_cast<int>(left.count()));
  }
}

std::string XRoot::property(xcb_window_t window, xcb_atom_t name) {
  const auto reply = owned(xcb_get_property_reply(
      connection_, xcb_get_property(connection_, 0, window, name, XCB_GET_PROPERTY_TYPE_ANY, 0, 1024), nullptr));
  if (!reply || reply->format != 8) {
    return {};
  }
  return {static_cast<const char*>(xcb_get_property_value(reply.get())),
          static_cast<std::size_t>(xcb_get_property_value_length(reply.get()))};
}

void XRoot::collect(xcb_window_t window, std::vector<ClientWindow>& windows) {
  const std::string wmClass = property(window, XCB_ATOM_WM_CLASS);
  if (!wmClass.empty()) {
    ClientWindow client;
    client.id = window;
    const std::size_t split = wmClass.find('\0');
    client.instance = wmClass.substr(0, split);
    if (split != std::string::npos) {
      client.wmClass = wmClass.substr(split + 1);
      client.wmClass = client.wmClass.substr(0, client.wmClass.find('\0'));
    }
    client.title = property(window, atom("_NET_WM_NAME"));
    if (client.title.empty()) {
      client.title = property(window, XCB_ATOM_WM_NAME);
    }
    const auto attributes =
        owned(xcb_get_window_attributes_reply(connection_, xcb_get_window_attributes(connection_, window), nullptr));
    client.viewable = attributes && attributes->map_state == XCB_MAP_STATE_VIEWABLE;
    windows.push_back(client);
  }
  const auto tree = owned(xcb_query_tree_reply(connection_, xcb_query_tree(connection_, window), nullptr));
  if (!tree) {
    return;  // gone meanwhile
  }
  const xcb_window_t* children = xcb_query_tree_children(tree.get());
  for (int i = 0; i < xcb_query_tree_children_length(tree.get()); ++i) {
    collect(children[i], windows);
  }
}

std::vector<ClientWindow> XRoot::clientWindows() {
  std::vector<ClientWindow> windows;
  collect(root_, windows);
  return windows;
}

}  // namespace x_test
