#include "device/socket/udp_server.h"

#include "device/socket/ysocket.h"

namespace device::socket {

UDPServer::UDPServer(const std::string& address, std::int32_t port) : Socket(address, port) {
  const int fd = yudpsocket_server(address.c_str(), port);
  if (fd >= 0) {
    setFd(fd);
  }
}

Datagram UDPServer::recv(int expected) { return detail::receiveDatagram(fd(), expected); }

}  // namespace device::socket
