#pragma once
// What a desktop shell sees of the programs on an X server: the startup
// messages that reach the root window (the launch feedback's protocol:
// client messages _NET_STARTUP_INFO_BEGIN, then _NET_STARTUP_INFO, 20 bytes
// each, the text ending at its first NUL) and the client windows with their
// class, title and map state, which a dock matches against a launcher.

#include <xcb/xcb.h>

#include <chrono>
#include <map>
#include <optional>
#include <string>
#include <vector>

namespace x_test {

struct ClientWindow {
  xcb_window_t id = 0;
  std::string instance;  // WM_CLASS, its first part
  std::string wmClass;   // WM_CLASS, its second part
  std::string title;     // _NET_WM_NAME, else WM_NAME
  bool viewable = false;
};

class XRoot {
 public:
  // Connects to $DISPLAY and listens on its root window.
  XRoot();
  ~XRoot();
  XRoot(const XRoot&) = delete;
  XRoot& operator=(const XRoot&) = delete;

  bool connected() const { return connection_ != nullptr; }

  // The next whole startup message, waiting at most `timeout`; none when
  // none was complete by then.
  std::optional<std::string> nextStartupMessage(std::chrono::milliseconds timeout);

  // Every window of the tree that names its class, as the server has them
  // now (after every request this connection has sent).
  std::vector<ClientWindow> clientWindows();

 private:
  xcb_atom_t atom(const char* name);
  std::string property(xcb_window_t window, xcb_atom_t name);
  void collect(xcb_window_t window, std::vector<ClientWindow>& windows);
  // A startup message the event completes, if any.
  std::optional<std::string> take(const xcb_generic_event_t& event);

  xcb_connection_t* connection_ = nullptr;
  xcb_window_t root_ = 0;
  xcb_atom_t begin_ = 0;
  xcb_atom_t more_ = 0;
  std::map<xcb_window_t, std::string> partial_;
};

}  // namespace x_test
