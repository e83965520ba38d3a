#include <arpa/inet.h>
#include <netinet/in.h>
#include <sys/socket.h>
#include <unistd.h>

#include <cerrno>
#include <cstring>
#include <string>

#include "device/socket/socket_support.h"
#include "device/socket/ysocket.h"
#include "device/common/log.h"

namespace device::socket {


int yudpsocket_server(const char* address, int port) {
  const int fd = ::socket(AF_INET, SOCK_DGRAM | SOCK_CLOEXEC, 0);
  if (fd < 0) {
    return -1;
  }
  const int on = 1;
  if (::setsockopt(fd, SOL_SOCKET, SO_REUSEADDR, &on, sizeof on) != 0) {
    ::close(fd);
    return -1;
  }
  sockaddr_in local{};
  local.sin_family = AF_INET;
  local.sin_addr.s_addr = htonl(INADDR_ANY);
  bool usable = port >= 0 && port <= 65535;
  if (address != nullptr) {
    logLine("udp server ip len = " + std::to_string(std::strlen(address)));
    if (*address != '\0' && std::strcmp(address, "255.255.255.255") != 0) {
      usable = usable && detail::parseDotted(address, local.sin_addr);
    }
  }
  local.sin_port = htons(static_cast<std::uint16_t>(usable ? port : 0));
  const int result = usable ? ::bind(fd, reinterpret_cast<const sockaddr*>(&local), sizeof local) : -1;
  logLine("bind server success and r = " + std::to_string(result) + " and socketfd = " + std::to_string(fd));
  if (result != 0) {
    ::close(fd);
    return -1;
  }
  return fd;
}

int yudpsocket_recive(int fd, char* data, int length, AddressText address, int* port) {
  logLine("receive data from socket =" + std::to_string(fd));
  sockaddr_in sender{};
  socklen_t senderLength = sizeof sender;
  ssize_t count = -1;
  if (data != nullptr && length >= 0) {
    do {
      count = ::recvfrom(fd, data, static_cast<std::size_t>(length), 0, reinterpret_cast<sockaddr*>(&sender),
                         &senderLength);
    } while (count < 0 && errno == EINTR);
  }
  detail::writePeer(sender, address, port);
  logLine("receive data from socket =" + std::to_string(fd) + ",clientip =" + std::string(address.data()));
  return static_cast<int>(count);
}

void yudpsocket_close(int fd) { ::close(fd); }

int yudpsocket_client() {
  const int fd = ::socket(AF_INET, SOCK_DGRAM | SOCK_CLOEXEC, 0);
  if (fd >= 0) {
    const int on = 1;
    ::setsockopt(fd, SOL_SOCKET, SO_REUSEADDR, &on, sizeof on);
  }
  return fd;
}

int enable_broadcast(int fd) {
  const int on = 1;
  return ::setsockopt(fd, SOL_SOCKET, SO_BROADCAST, &on, sizeof on) == 0 ? 0 : -1;
}

int yudpsocket_get_server_ip(const char* host, AddressText address) {
  sockaddr_in found{};
  if (!detail::resolveIPv4(host, found.sin_addr)) {
    return -1;
  }
  detail::writePeer(found, address, nullptr);
  return 0;
}

int yudpsocket_sentto(int fd, const char* data, int length, const char* address, int port) {
  sockaddr_in target{};
  if (data == nullptr || length < 0 || !detail::makeAddress(address, port, target)) {
    return -1;
  }
  return static_cast<int>(::sendto(fd, data, static_cast<std::size_t>(length), MSG_NOSIGNAL,
                                    reinterpret_cast<const sockaddr*>(&target), sizeof target));
}

}  // namespace device::socket
