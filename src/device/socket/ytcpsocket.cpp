#include <arpa/inet.h>
#include <fcntl.h>
#include <netinet/in.h>
#include <poll.h>
#include <sys/ioctl.h>
#include <sys/socket.h>
#include <unistd.h>

#include <atomic>
#include <cerrno>
#include <cstring>
#include <string>
#include <thread>

#include "device/socket/socket_support.h"
#include "device/socket/ysocket.h"
#include "device/common/log.h"

namespace device::socket {
namespace {


// How often ytcpsocket_pull reads while nothing has come, the first read
// included.
constexpr int kPullTries = 30;

std::atomic<long long> pullRetryPauseMs{1000};
std::atomic<long long> sendRoomWaitMs{30000};

void closeQuietly(int fd) {
  const int saved = errno;
  ::close(fd);
  errno = saved;
}

}  // namespace

void setSocketPacing(SocketPacing pacing) {
  pullRetryPauseMs = pacing.pullRetryPause.count();
  sendRoomWaitMs = pacing.sendRoomWait.count();
}

SocketPacing socketPacing() {
  return {std::chrono::milliseconds(pullRetryPauseMs.load()), std::chrono::milliseconds(sendRoomWaitMs.load())};
}

void ytcpsocket_set_block(int fd, int block) {
  const int flags = ::fcntl(fd, F_GETFL, 0);
  if (flags < 0) {
    return;
  }
  ::fcntl(fd, F_SETFL, block == 0 ? flags | O_NONBLOCK : flags & ~O_NONBLOCK);
}

int ytcpsocket_connect(const char* host, int port, int timeout) {
  sockaddr_in address{};
  address.sin_family = AF_INET;
  // The name's own address: a name is not a dotted text.
  if (port < 0 || port > 65535 || !detail::resolveIPv4(host, address.sin_addr)) {
    return -1;
  }
  address.sin_port = htons(static_cast<std::uint16_t>(port));
  const int fd = ::socket(AF_INET, SOCK_STREAM | SOCK_CLOEXEC, 0);
  if (fd < 0) {
    return -4;
  }
  ytcpsocket_set_block(fd, 0);
  if (::connect(fd, reinterpret_cast<const sockaddr*>(&address), sizeof address) != 0 && errno != EINPROGRESS) {
    // Failed at once (no route, a broadcast address): such a socket would
    // still poll writable with no pending error, yet it is not connected.
    ::close(fd);
    return -4;
  }
  const int ready = detail::waitFor(fd, POLLOUT, detail::secondsToMs(timeout));
  if (ready < 0) {
    ::close(fd);
    return -2;
  }
  if (ready == 0) {
    ::close(fd);
    return -3;
  }
  int error = 0;
  socklen_t length = sizeof error;
  if (::getsockopt(fd, SOL_SOCKET, SO_ERROR, &error, &length) != 0 || error != 0) {
    ::close(fd);
    return -4;
  }
  // Writes never raise SIGPIPE: every send passes MSG_NOSIGNAL.
  return fd;
}

void ytcpsocket_close(int fd) { ::close(fd); }

int ytcpsocket_pull(int fd, char* data, int length, int timeout) {
  if (data == nullptr || length < 0) {
    return -1;
  }
  if (timeout > 0) {
    const int ready = detail::waitFor(fd, POLLIN, detail::secondsToMs(timeout));
    if (ready <= 0) {
      return ready;
    }
  }
  if (length == 0) {
    return 0;
  }
  int tries = 1;
  int total = 0;
  bool dataSeen = false;
  while (tries < kPullTries) {
    // Never blocks, whatever the descriptor's mode: an accepted descriptor
    // is blocking, and a read after the last data would wait for ever.
    const ssize_t count = ::recv(fd, data + total, static_cast<std::size_t>(length - total), MSG_DONTWAIT);
    logLine("socketFd = " + std::to_string(fd) + " ,try times = " + std::to_string(tries) +
            " ,readlen = " + std::to_string(count));
    if (count > 0) {
      total += static_cast<int>(count);
      dataSeen = true;
      continue;
    }
    if (dataSeen) {
      break;
    }
    ++tries;
    std::this_thread::sleep_for(std::chrono::milliseconds(pullRetryPauseMs.load()));
  }
  return total;
}

int ytcpsocket_bytes_available(int fd) {
  int count = 0;
  const int result = ::ioctl(fd, FIONREAD, &count);
  return result < 0 ? result : count;
}

int ytcpsocket_send(int fd, const char* data, int length) {
  if (data == nullptr || length < 0) {
    return -1;
  }
  const auto size = static_cast<std::size_t>(length);
  logLine("send fd = " + std::to_string(fd) + " send cmd=" + std::string(data, ::strnlen(data, size)));
  std::size_t sent = 0;
  while (sent < size) {
    // A full send buffer is no failure: the rest goes once the peer has
    // taken some, so a large send on a non-blocking socket is not cut off.
    const ssize_t count = ::send(fd, data + sent, size - sent, MSG_NOSIGNAL | MSG_DONTWAIT);
    if (count >= 0) {
      sent += static_cast<std::size_t>(count);
    } else if (errno == EAGAIN || errno == EWOULDBLOCK) {
      if (detail::waitFor(fd, POLLOUT, sendRoomWaitMs.load()) <= 0) {
        return -1;
      }
    } else if (errno != EINTR) {
      return -1;
    }
  }
  return length;
}

int ytcpsocket_listen(const char* address, int port) {
  sockaddr_in local{};
  const int fd = ::socket(AF_INET, SOCK_STREAM | SOCK_CLOEXEC, 0);
  if (fd < 0) {
    return -1;
  }
  const int on = 1;
  ::setsockopt(fd, SOL_SOCKET, SO_REUSEADDR, &on, sizeof on);
  if (!detail::makeAddress(address, port, local) ||
      ::bind(fd, reinterpret_cast<const sockaddr*>(&local), sizeof local) != 0) {
    closeQuietly(fd);
    return -1;
  }
  if (::listen(fd, 128) != 0) {
    closeQuietly(fd);
    return -2;
  }
  return fd;
}

int ytcpsocket_accept(int listenFd, AddressText address, int* port, int timeout) {
  const int ready = detail::waitFor(listenFd, POLLIN, timeout > 0 ? detail::secondsToMs(timeout) : -1);
  if (ready != 1) {
    return -1;
  }
  sockaddr_in peer{};
  socklen_t length = sizeof peer;
  int fd = -1;
  do {
    fd = ::accept4(listenFd, reinterpret_cast<sockaddr*>(&peer), &length, SOCK_CLOEXEC);
  } while (fd < 0 && errno == EINTR);
  if (fd < 0) {
    return -1;
  }
  detail::writePeer(peer, address, port);
  return fd;
}

int ytcpsocket_port(int fd) {
  sockaddr_in local{};
  socklen_t length = sizeof local;
  if (::getsockname(fd, reinterpret_cast<sockaddr*>(&local), &length) != 0 || local.sin_family != AF_INET) {
    return -1;
  }
  return ntohs(local.sin_port);
}

}  // namespace device::socket
