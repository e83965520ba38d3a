#include "sim/tcp/loopback_server.h"

#include <arpa/inet.h>
#include <netinet/in.h>
#include <poll.h>
#include <sys/socket.h>
#include <unistd.h>

#include <fcntl.h>

#include <algorithm>
#include <array>
#include <cerrno>
#include <stdexcept>

namespace sim::tcp {
namespace {

sockaddr_in loopback(const std::string& address, std::uint16_t port) {
  sockaddr_in in{};
  in.sin_family = AF_INET;
  in.sin_port = htons(port);
  if (::inet_pton(AF_INET, address.c_str(), &in.sin_addr) != 1) {
    throw std::runtime_error("not an IPv4 address: " + address);
  }
  return in;
}

// Waits for fd or the stop pipe: true when fd is ready first.
bool readyBeforeStop(int fd, int stopFd, short events) {
  std::array<pollfd, 2> fds{pollfd{fd, events, 0}, pollfd{stopFd, POLLIN, 0}};
  for (;;) {
    const int count = ::poll(fds.data(), fds.size(), -1);
    if (count < 0 && errno == EINTR) {
      continue;
    }
    return count > 0 && fds[1].revents == 0 && fds[0].revents != 0;
  }
}

}  // namespace

bool Connection::waitReadable() { return readyBeforeStop(fd_, stopFd_, POLLIN); }

bool Connection::sendBytes(std::string_view bytes) {
  while (!bytes.empty()) {
    if (!readyBeforeStop(fd_, stopFd_, POLLOUT)) {
      return false;
    }
    const ssize_t sent = ::send(fd_, bytes.data(), bytes.size(), MSG_NOSIGNAL);
    if (sent < 0) {
      return false;
    }
    bytes.remove_prefix(static_cast<std::size_t>(sent));
  }
  return true;
}

std::string Connection::readExactly(std::size_t count) {
  std::string data;
  std::array<char, 65536> buffer{};
  while (data.size() < count && waitReadable()) {
    const ssize_t got = ::recv(fd_, buffer.data(), std::min(buffer.size(), count - data.size()), 0);
    if (got <= 0) {
      break;
    }
    data.append(buffer.data(), static_cast<std::size_t>(got));
  }
  return data;
}

std::string Connection::readUntilClosed() {
  std::string data;
  readToPeerClose(data);
  return data;
}

bool Connection::readToPeerClose(std::string& data) {
  std::array<char, 65536> buffer{};
  while (waitReadable()) {
    const ssize_t got = ::recv(fd_, buffer.data(), buffer.size(), 0);
    if (got <= 0) {
      return true;
    }
    data.append(buffer.data(), static_cast<std::size_t>(got));
  }
  return false;
}

void Connection::waitUntilStopped() {
  pollfd stop{stopFd_, POLLIN, 0};
  while (::poll(&stop, 1, -1) < 0 && errno == EINTR) {
  }
}

void Connection::close() {
  if (fd_ >= 0) {
    ::close(fd_);
    fd_ = -1;
  }
}

LoopbackServer::LoopbackServer(Handler handler, int connections, const std::string& address,
                               std::uint16_t port) {
  if (::pipe2(stopPipe_, O_CLOEXEC) != 0) {
    throw std::runtime_error("pipe failed");
  }
  listenFd_ = ::socket(AF_INET, SOCK_STREAM | SOCK_CLOEXEC, 0);
  const int on = 1;
  ::setsockopt(listenFd_, SOL_SOCKET, SO_REUSEADDR, &on, sizeof on);
  sockaddr_in in = loopback(address, port);
  socklen_t length = sizeof in;
  if (::bind(listenFd_, reinterpret_cast<const sockaddr*>(&in), sizeof in) != 0 ||
      ::listen(listenFd_, 16) != 0 ||
      ::getsockname(listenFd_, reinterpret_cast<sockaddr*>(&in), &length) != 0) {
    ::close(listenFd_);
    ::close(stopPipe_[0]);
    ::close(stopPipe_[1]);
    throw std::runtime_error("cannot listen on " + address);
  }
  port_ = ntohs(in.sin_port);
  thread_ = std::thread([this, handler = std::move(handler), connections] {
    serve(handler, connections);
  });
}

void LoopbackServer::serve(Handler handler, int connections) {
  for (int index = 0; index < connections; ++index) {
    if (!readyBeforeStop(listenFd_, stopPipe_[0], POLLIN)) {
      return;
    }
    const int fd = ::accept4(listenFd_, nullptr, nullptr, SOCK_CLOEXEC);
    if (fd < 0) {
      return;
    }
    Connection connection(fd, stopPipe_[0]);
    handler(connection, index);
    connection.close();
  }
}

void LoopbackServer::join() {
  if (thread_.joinable()) {
    thread_.join();
  }
}

LoopbackServer::~LoopbackServer() {
  const char stop = 's';
  [[maybe_unused]] const ssize_t ignored = ::write(stopPipe_[1], &stop, 1);
  join();
  ::close(listenFd_);
  ::close(stopPipe_[0]);
  ::close(stopPipe_[1]);
}

std::uint16_t closedLoopbackPort() {
  const int fd = ::socket(AF_INET, SOCK_STREAM | SOCK_CLOEXEC, 0);
  sockaddr_in in = loopback("127.0.0.1", 0);
  socklen_t length = sizeof in;
  std::uint16_t port = 0;
  if (::bind(fd, reinterpret_cast<const sockaddr*>(&in), sizeof in) == 0 &&
      ::getsockname(fd, reinterpret_cast<sockaddr*>(&in), &length) == 0) {
    port = ntohs(in.sin_port);
  }
  ::close(fd);  // bound but never listening: the port refuses connections
  return port;
}

SilentListener::SilentListener()
    : listener_(::socket(AF_INET, SOCK_STREAM | SOCK_CLOEXEC, 0)),
      filler_(::socket(AF_INET, SOCK_STREAM | SOCK_CLOEXEC, 0)) {
  sockaddr_in in = loopback("127.0.0.1", 0);
  socklen_t length = sizeof in;
  // The filler is the one connection a backlog of 0 holds; requests after it
  // are dropped.
  if (::bind(listener_, reinterpret_cast<const sockaddr*>(&in), sizeof in) != 0 ||
      ::listen(listener_, 0) != 0 ||
      ::getsockname(listener_, reinterpret_cast<sockaddr*>(&in), &length) != 0 ||
      ::connect(filler_, reinterpret_cast<const sockaddr*>(&in), sizeof in) != 0) {
    ::close(filler_);
    ::close(listener_);
    throw std::runtime_error("cannot make a listener that never answers");
  }
  port_ = ntohs(in.sin_port);
}

SilentListener::~SilentListener() {
  ::close(filler_);
  ::close(listener_);
}

}  // namespace sim::tcp
