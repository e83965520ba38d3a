#include "sim/scanner/scanner_sim.h"

#include <netinet/in.h>
#include <netinet/tcp.h>
#include <sys/socket.h>
#include <unistd.h>

#include <algorithm>
#include <atomic>
#include <chrono>
#include <mutex>
#include <random>
#include <stdexcept>
#include <string_view>
#include <thread>

namespace sim::scanner {
namespace {

constexpr std::uint8_t kJobEnd = 0x80;
constexpr std::uint8_t kPageEnd = 0x82;

std::string_view view(const Bytes& bytes) {
  return {reinterpret_cast<const char*>(bytes.data()), bytes.size()};
}

Bytes blockHeader(const Script& script, std::size_t pageNo, std::size_t length) {
  // Bytes 0-2 and 5-9 are not read by the host.
  const auto& start = script.headerStart;
  return {start[0], start[1], start[2], static_cast<std::uint8_t>(pageNo & 0xFF),
          static_cast<std::uint8_t>(pageNo >> 8), 0, 0, 0, 0, 0,
          static_cast<std::uint8_t>(length & 0xFF), static_cast<std::uint8_t>(length >> 8)};
}

Bytes pageEndRecord(std::size_t pageNo) {
  return {kPageEnd, static_cast<std::uint8_t>(pageNo & 0xFF), static_cast<std::uint8_t>(pageNo >> 8),
          0, 0, 0, 0, 0, 0, 0};
}

std::size_t blocksOf(const Script& script, const Bytes& page) {
  return std::max<std::size_t>(1, (page.size() + script.blockSize - 1) / script.blockSize);
}

bool endsWith(const Bytes& bytes, std::string_view tail) {
  return bytes.size() >= tail.size() && view(bytes).substr(bytes.size() - tail.size()) == tail;
}

// True once `bytes` hold a whole command.
bool commandComplete(const Bytes& bytes) {
  if (bytes.size() < 2) return false;
  if (bytes[1] != 'X') return endsWith(bytes, "\n\xC2\x80");
  const std::string_view text = view(bytes);
  const std::size_t idCard = text.find("IDCard=");
  if (idCard == std::string_view::npos) return false;
  const std::size_t lineEnd = text.find('\n', idCard);
  if (lineEnd == std::string_view::npos) return false;
  const std::size_t textEnd = lineEnd + 1;
  const bool textMode = text.substr(0, textEnd).find("\nM=TEXT\n") != std::string_view::npos;
  return bytes.size() >= textEnd + (textMode ? 5 + 256 + 1 : 0);
}

std::vector<std::string_view> writesOf(const std::vector<Bytes>& messages, std::string_view stream,
                                       const Delivery& delivery) {
  std::vector<std::string_view> writes;
  if (delivery.kind == Delivery::Kind::paced) {
    std::size_t at = 0;
    for (const Bytes& message : messages) {
      if (at >= stream.size()) break;
      const std::size_t count = std::min(message.size(), stream.size() - at);
      writes.push_back(stream.substr(at, count));
      at += count;
    }
    return writes;
  }
  std::mt19937 random(delivery.seed);
  std::uniform_int_distribution<std::size_t> size(1, 4096);
  for (std::size_t at = 0; at < stream.size();) {
    std::size_t count = stream.size();
    if (delivery.kind == Delivery::Kind::chunks) count = std::max<std::size_t>(delivery.chunk, 1);
    if (delivery.kind == Delivery::Kind::random) count = size(random);
    count = std::min(count, stream.size() - at);
    writes.push_back(stream.substr(at, count));
    at += count;
  }
  return writes;
}

}  // namespace

std::string Delivery::name() const {
  switch (kind) {
    case Kind::paced:
      return "paced";
    case Kind::chunks:
      return "chunks" + std::to_string(chunk);
    case Kind::random:
      return "random" + std::to_string(seed);
    case Kind::oneWrite:
      return "oneWrite";
  }
  return "unknown";
}

std::vector<Delivery> allDeliveries() {
  std::vector<Delivery> all{{Delivery::Kind::paced, 0, 0}};
  for (const std::size_t chunk : {std::size_t{1}, std::size_t{5}, std::size_t{7}, std::size_t{13}, std::size_t{4096}}) all.push_back({Delivery::Kind::chunks, chunk, 0});
  for (const unsigned seed : {1u, 2u, 3u}) all.push_back({Delivery::Kind::random, 0, seed});
  all.push_back({Delivery::Kind::oneWrite, 0, 0});
  return all;
}

std::vector<Bytes> pageStreamMessages(const Script& script) {
  std::vector<Bytes> messages;
  for (std::size_t index = 0; index < script.pages.size(); ++index) {
    const Bytes& page = script.pages[index];
    const std::size_t pageNo = index + 1;
    for (std::size_t block = 0, blocks = blocksOf(script, page); block < blocks; ++block) {
      const std::size_t begin = block * script.blockSize;
      const std::size_t length = std::min(script.blockSize, page.size() - std::min(begin, page.size()));
      Bytes message = blockHeader(script, pageNo, length);
      message.insert(message.end(), page.begin() + static_cast<std::ptrdiff_t>(begin),
                     page.begin() + static_cast<std::ptrdiff_t>(begin + length));
      messages.push_back(std::move(message));
    }
    messages.push_back(pageEndRecord(pageNo));
  }
  if (script.endByte) messages.push_back({kJobEnd});
  return messages;
}

std::size_t messagesThroughPage(const Script& script, std::size_t pages) {
  std::size_t count = 0;
  for (std::size_t index = 0; index < pages && index < script.pages.size(); ++index) {
    count += blocksOf(script, script.pages[index]) + 1;
  }
  return count;
}

struct ScannerSim::State {
  Script script;
  std::mutex mutex;
  Record record;

  void serve(tcp::Connection& connection);
  // Reads one command; nothing when the host closed first.
  std::optional<Bytes> readCommand(tcp::Connection& connection);
  void waitForHostClose(tcp::Connection& connection);
  void sendPages(tcp::Connection& connection, const ScanRequest& request);
  void keep(std::string_view bytes) {
    std::lock_guard lock(mutex);
    record.received.insert(record.received.end(), bytes.begin(), bytes.end());
  }
};

std::optional<Bytes> ScannerSim::State::readCommand(tcp::Connection& connection) {
  Bytes command;
  while (!commandComplete(command)) {
    const std::string byte = connection.readExactly(1);
    if (byte.empty()) {
      std::lock_guard lock(mutex);
      record.hostClosed = true;
      return std::nullopt;
    }
    keep(byte);
    command.push_back(static_cast<std::uint8_t>(byte[0]));
  }
  std::lock_guard lock(mutex);
  record.commands.push_back(command);
  return command;
}

void ScannerSim::State::waitForHostClose(tcp::Connection& connection) {
  std::string rest;
  const bool closed = connection.readToPeerClose(rest);
  keep(rest);
  std::lock_guard lock(mutex);
  record.hostClosed = closed;
}

void ScannerSim::State::sendPages(tcp::Connection& connection, const ScanRequest& request) {
  std::vector<Bytes> messages;
  if (script.pagesFor) {
    Script made;
    made.pages = script.pagesFor(request);
    made.blockSize = script.blockSize;
    made.endByte = script.endByte;
    made.headerStart = script.headerStart;
    messages = pageStreamMessages(made);
  } else {
    messages = pageStreamMessages(script);
  }
  std::string stream;
  std::size_t sendable = 0;
  for (std::size_t index = 0; index < messages.size(); ++index) {
    if (script.stop && index == script.stop->messages) {
      sendable = stream.size() + std::min(script.stop->bytes, messages[index].size());
    }
    stream.append(view(messages[index]));
  }
  if (!script.stop || script.stop->messages >= messages.size()) sendable = stream.size();
  const std::string_view toSend = std::string_view(stream).substr(0, sendable);
  const bool holdJobEnd = script.beforeJobEnd && script.endByte && sendable == stream.size();
  const std::size_t held = holdJobEnd ? 1 : 0;
  for (const std::string_view write : writesOf(messages, toSend.substr(0, toSend.size() - held), script.delivery)) {
    if (!connection.sendBytes(write)) return;
  }
  if (holdJobEnd) {
    script.beforeJobEnd();
    if (!connection.sendBytes(toSend.substr(toSend.size() - 1))) return;
  }
  if (script.stop) {
    switch (script.stop->action) {
      case StreamStop::Action::close:
        connection.close();
        return;
      case StreamStop::Action::silence:
        break;
      case StreamStop::Action::status:
        if (script.beforeStopStatus) script.beforeStopStatus();
        connection.sendBytes(std::string(1, static_cast<char>(script.stop->status)));
        break;
    }
  } else if (!script.endByte) {
    connection.close();
    return;
  }
  waitForHostClose(connection);
}

void ScannerSim::State::serve(tcp::Connection& connection) {
  const int on = 1;
  ::setsockopt(connection.fd(), IPPROTO_TCP, TCP_NODELAY, &on, sizeof on);
  {
    std::lock_guard lock(mutex);
    ++record.connections;
  }
  if (script.silentAfterConnect) return waitForHostClose(connection);
  std::this_thread::sleep_for(script.greetingDelay);
  if (script.splitGreeting && script.greeting.size() > 1) {
    const std::size_t half = script.greeting.size() / 2;
    connection.sendBytes(std::string_view(script.greeting).substr(0, half));
    std::this_thread::sleep_for(std::chrono::milliseconds(50));
    connection.sendBytes(std::string_view(script.greeting).substr(half));
  } else {
    connection.sendBytes(script.greeting);
  }
  ScanRequest request;
  // Until the connection is reset or the host closes it.
  while (connection.fd() >= 0) {
    const std::optional<Bytes> command = readCommand(connection);
    if (!command) return;
    const auto reply = [&](std::uint8_t byte) {
      connection.sendBytes(std::string(1, static_cast<char>(byte)));
      if (script.resetAfterReplyTo != (*command)[1]) return;
      // A close with a zero linger time sends RST behind the reply.
      const linger reset{1, 0};
      ::setsockopt(connection.fd(), SOL_SOCKET, SO_LINGER, &reset, sizeof reset);
      connection.close();
    };
    switch ((*command)[1]) {
      case 'D':
        if (script.silentAfterD) return waitForHostClose(connection);
        reply(script.replyD);
        break;
      case 'S':
        reply(script.replyS);
        break;
      case 'I':
        readICommand(request, *command);
        reply(script.replyI);
        break;
      case 'X':
        if (script.silentAfterX) return waitForHostClose(connection);
        readXCommand(request, *command);
        return sendPages(connection, request);
      default:
        return waitForHostClose(connection);
    }
  }
}

ScannerSim::ScannerSim(Script script) : state_(std::make_shared<State>()) {
  state_->script = std::move(script);
  static std::atomic<unsigned> counter{0};
  const unsigned start = static_cast<unsigned>(::getpid()) * 37u + counter++ * 11u;
  for (unsigned attempt = 0; attempt < 253 && !server_; ++attempt) {
    const std::string address = "127.0.0." + std::to_string(2 + (start + attempt) % 253);
    try {
      auto state = state_;
      server_ = std::make_unique<tcp::LoopbackServer>(
          [state](tcp::Connection& connection, int) { state->serve(connection); },
          state_->script.connections, address, kScanPort);
      address_ = address;
    } catch (const std::runtime_error&) {
      // taken by a simulator of another test: try the next address
    }
  }
  if (!server_) throw std::runtime_error("no free 127.0.0.N:54321 for the scanner simulator");
}

ScannerSim::ScannerSim(Script script, const std::string& address)
    : state_(std::make_shared<State>()), address_(address) {
  state_->script = std::move(script);
  auto state = state_;
  server_ = std::make_unique<tcp::LoopbackServer>(
      [state](tcp::Connection& connection, int) { state->serve(connection); },
      state_->script.connections, address, kScanPort);
}

ScannerSim::~ScannerSim() = default;

Record ScannerSim::recordSoFar() const {
  std::lock_guard lock(state_->mutex);
  return state_->record;
}

Record ScannerSim::finish() {
  server_->join();
  std::lock_guard lock(state_->mutex);
  return state_->record;
}

}  // namespace sim::scanner
