#include "device/socket/tcp_server.h"

#include <array>

#include "device/common/utf8.h"
#include "device/socket/ysocket.h"

namespace device::socket {

Result TCPServer::listen() {
  const int fd = ytcpsocket_listen(address().c_str(), port());
  if (fd < 0) {
    return Result::failure(SocketError::unknownError);
  }
  setFd(fd);
  if (port() == 0) {
    const int chosen = ytcpsocket_port(fd);
    if (chosen < 0) {
      return Result::failure(SocketError::unknownError);
    }
    setPort(chosen);
  }
  return Result::success();
}

std::optional<TCPClient> TCPServer::accept(int timeout) {
  if (!fd()) {
    return std::nullopt;
  }
  std::array<char, kAddressTextLength> address{};
  int port = 0;
  const int client = ytcpsocket_accept(*fd(), address, &port, timeout);
  if (client < 0) {
    return std::nullopt;
  }
  const auto decoded = decodeUtf8(bytesOf(address.data()));
  TCPClient accepted(decoded.value_or(std::string()), port);
  accepted.setFd(client);
  return accepted;
}

}  // namespace device::socket
