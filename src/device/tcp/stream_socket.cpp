#include "device/tcp/stream_socket.h"

#include <netdb.h>
#include <poll.h>
#include <sys/socket.h>
#include <unistd.h>

#include <cerrno>
#include <memory>
#include <utility>

#include "device/common/wait.h"

namespace device::tcp {
namespace {

using Clock = std::chrono::steady_clock;

// One connection attempt to one address; the socket, or -1 (error set).
int connectOne(const addrinfo& address, Clock::time_point deadline, int& error) {
  const int fd = ::socket(address.ai_family, address.ai_socktype | SOCK_NONBLOCK | SOCK_CLOEXEC,
                          address.ai_protocol);
  if (fd < 0) {
    error = errno;
    return -1;
  }
  if (::connect(fd, address.ai_addr, address.ai_addrlen) == 0) {
    return fd;
  }
  if (errno == EINPROGRESS) {
    const int ready = waitReady(fd, POLLOUT, deadline);
    int status = 0;
    socklen_t length = sizeof status;
    if (ready > 0 && ::getsockopt(fd, SOL_SOCKET, SO_ERROR, &status, &length) == 0) {
      if (status == 0) {
        return fd;
      }
      error = status;
    } else {
      error = ready == 0 ? ETIMEDOUT : errno;
    }
  } else {
    error = errno;
  }
  ::close(fd);
  return -1;
}

}  // namespace

std::optional<StreamSocket> StreamSocket::connect(const std::string& host, std::uint16_t port,
                                                  std::chrono::milliseconds timeout, int& error) {
  const Clock::time_point deadline = Clock::now() + timeout;
  addrinfo hints{};
  hints.ai_family = AF_UNSPEC;
  hints.ai_socktype = SOCK_STREAM;
  hints.ai_flags = AI_NUMERICSERV;
  addrinfo* found = nullptr;
  // A dotted address needs no lookup; a name waits as long as the
  // resolver's own (bounded) time-outs.
  if (host.empty() ||
      ::getaddrinfo(host.c_str(), std::to_string(port).c_str(), &hints, &found) != 0) {
    error = EHOSTUNREACH;
    return std::nullopt;
  }
  const std::unique_ptr<addrinfo, decltype(&::freeaddrinfo)> owner(found, &::freeaddrinfo);
  error = ETIMEDOUT;
  for (const addrinfo* address = found; address != nullptr; address = address->ai_next) {
    const int fd = connectOne(*address, deadline, error);
    if (fd >= 0) {
      return StreamSocket(fd);
    }
    if (Clock::now() >= deadline) {
      break;
    }
  }
  return std::nullopt;
}

StreamSocket::StreamSocket(StreamSocket&& other) noexcept
    : fd_(std::exchange(other.fd_, -1)), lastError_(other.lastError_) {}

StreamSocket& StreamSocket::operator=(StreamSocket&& other) noexcept {
  if (this != &other) {
    if (fd_ >= 0) {
      ::close(fd_);
    }
    fd_ = std::exchange(other.fd_, -1);
    lastError_ = other.lastError_;
  }
  return *this;
}

StreamSocket::~StreamSocket() {
  if (fd_ >= 0) {
    ::close(fd_);
  }
}

std::ptrdiff_t StreamSocket::readSome(std::span<std::uint8_t> buffer,
                                      std::chrono::milliseconds timeout) {
  if (buffer.empty()) {
    lastError_ = EINVAL;
    return -1;
  }
  const Clock::time_point deadline = Clock::now() + timeout;
  for (;;) {
    const int ready = waitReady(fd_, POLLIN, deadline);
    if (ready <= 0) {
      lastError_ = ready == 0 ? ETIMEDOUT : errno;
      return -1;
    }
    const ssize_t count = ::recv(fd_, buffer.data(), buffer.size(), 0);
    if (count >= 0) {
      return count;
    }
    if (errno != EAGAIN && errno != EWOULDBLOCK && errno != EINTR) {
      lastError_ = errno;
      return -1;
    }
  }
}

std::ptrdiff_t StreamSocket::writeAll(std::span<const std::uint8_t> bytes,
                                      std::chrono::milliseconds timeout) {
  std::size_t written = 0;
  while (written < bytes.size()) {
    const ssize_t count =
        ::send(fd_, bytes.data() + written, bytes.size() - written, MSG_NOSIGNAL);
    if (count > 0) {
      written += static_cast<std::size_t>(count);
      continue;
    }
    if (count < 0 && errno == EINTR) {
      continue;
    }
    if (count < 0 && errno != EAGAIN && errno != EWOULDBLOCK) {
      lastError_ = errno;
      return -1;
    }
    // The send buffer is full: wait for room, as long as the peer keeps
    // taking data at all.
    const int ready = waitReady(fd_, POLLOUT, Clock::now() + timeout);
    if (ready <= 0) {
      lastError_ = ready == 0 ? ETIMEDOUT : errno;
      return -1;
    }
  }
  return static_cast<std::ptrdiff_t>(written);
}

}  // namespace device::tcp
