#pragma once

// A TCP server on a loopback address for the channel tests. It accepts a
// given number of connections one after another and runs the test's
// handler on each, on a thread of its own. Every wait of the server ends
// when the server object goes, so a failing test cannot hang in it.

#include <atomic>
#include <cstddef>
#include <cstdint>
#include <functional>
#include <string>
#include <string_view>
#include <thread>

namespace sim::tcp {

// The server's end of one accepted connection.
class Connection {
 public:
  Connection(int fd, int stopFd) : fd_(fd), stopFd_(stopFd) {}

  // Sends every byte (false when the peer has gone).
  bool sendBytes(std::string_view bytes);
  // Reads until `count` bytes came or the stream ended.
  std::string readExactly(std::size_t count);
  // Reads until the peer closes.
  std::string readUntilClosed();
  // Reads until the peer closes (true) or the server stops (false).
  bool readToPeerClose(std::string& data);
  // Blocks until the server is stopped.
  void waitUntilStopped();
  // Closes the connection (the peer sees the end of the stream).
  void close();

  int fd() const { return fd_; }

 private:
  // Waits until the connection is readable; false when the server stops.
  bool waitReadable();

  int fd_;
  int stopFd_;
};

class LoopbackServer {
 public:
  using Handler = std::function<void(Connection&, int index)>;

  explicit LoopbackServer(Handler handler, int connections = 1,
                          const std::string& address = "127.0.0.1", std::uint16_t port = 0);
  ~LoopbackServer();
  LoopbackServer(const LoopbackServer&) = delete;
  LoopbackServer& operator=(const LoopbackServer&) = delete;

  std::uint16_t port() const { return port_; }
  // Waits until every connection has been handled.
  void join();

 private:
  void serve(Handler handler, int connections);

  int listenFd_ = -1;
  int stopPipe_[2] = {-1, -1};
  std::uint16_t port_ = 0;
  std::thread thread_;
};

// A TCP port on 127.0.0.1 that nothing listens on at the moment: connections
// are refused.
std::uint16_t closedLoopbackPort();

// A listener on 127.0.0.1 whose accept queue is full: further connection
// requests get no answer at all, so a connect waits until it gives up.
class SilentListener {
 public:
  SilentListener();
  ~SilentListener();
  SilentListener(const SilentListener&) = delete;
  SilentListener& operator=(const SilentListener&) = delete;

  std::uint16_t port() const { return port_; }

 private:
  int listener_ = -1;
  int filler_ = -1;
  std::uint16_t port_ = 0;
};

}  // namespace sim::tcp
