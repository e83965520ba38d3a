#pragma once

// A connected TCP socket whose every wait is bounded. Internal to device/tcp.

#include <chrono>
#include <cstddef>
#include <cstdint>
#include <optional>
#include <span>
#include <string>

namespace device::tcp {

class StreamSocket {
 public:
  // Connects to host (a dotted address or a name) and port within timeout;
  // nothing when no address of the host accepts. `error` receives the last
  // errno-style cause (ETIMEDOUT when the time ran out).
  static std::optional<StreamSocket> connect(const std::string& host, std::uint16_t port,
                                             std::chrono::milliseconds timeout, int& error);

  StreamSocket(StreamSocket&& other) noexcept;
  StreamSocket& operator=(StreamSocket&& other) noexcept;
  StreamSocket(const StreamSocket&) = delete;
  StreamSocket& operator=(const StreamSocket&) = delete;
  ~StreamSocket();

  // One read of at most buffer.size() bytes, waiting up to timeout for the
  // first byte: the count read, 0 at the end of the stream, -1 on an error
  // or when nothing came in time (lastError() says which).
  std::ptrdiff_t readSome(std::span<std::uint8_t> buffer, std::chrono::milliseconds timeout);

  // Writes every byte, continuing partial writes; each wait for room in
  // the send buffer is bounded by timeout. A peer that has gone gives an
  // error, never SIGPIPE. The count written (all of them), or -1.
  std::ptrdiff_t writeAll(std::span<const std::uint8_t> bytes, std::chrono::milliseconds timeout);

  int lastError() const { return lastError_; }

 private:
  explicit StreamSocket(int fd) : fd_(fd) {}

  int fd_ = -1;
  int lastError_ = 0;
};

}  // namespace device::tcp
