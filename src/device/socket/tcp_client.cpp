#include "device/socket/tcp_client.h"

#include "device/common/utf8.h"
#include "device/socket/ysocket.h"

namespace device::socket {

Result TCPClient::connect(int timeout) {
  const int result = ytcpsocket_connect(address().c_str(), port(), timeout);
  // Descriptor 0 is a descriptor like any other.
  if (result >= 0) {
    setFd(result);
    return Result::success();
  }
  switch (result) {
    case -1:
      return Result::failure(SocketError::queryFailed);
    case -2:
      return Result::failure(SocketError::connectionClosed);
    case -3:
      return Result::failure(SocketError::connectionTimeout);
    default:
      return Result::failure(SocketError::unknownError);
  }
}

Result TCPClient::send(std::span<const std::uint8_t> data) { return sendWith(data, ytcpsocket_send); }

Result TCPClient::send(std::string_view text) { return send(bytesOf(text)); }

std::optional<std::vector<std::uint8_t>> TCPClient::read(int expected, int timeout) {
  if (!fd() || expected < 0) {
    return std::nullopt;
  }
  std::vector<std::uint8_t> buffer(static_cast<std::size_t>(expected));
  const int count = ytcpsocket_pull(*fd(), reinterpret_cast<char*>(buffer.data()), expected, timeout);
  if (count <= 0) {
    return std::nullopt;
  }
  buffer.resize(static_cast<std::size_t>(count));
  return buffer;
}

std::optional<std::int32_t> TCPClient::bytesAvailable() {
  if (!fd()) {
    return std::nullopt;
  }
  const int count = ytcpsocket_bytes_available(*fd());
  if (count < 0) {
    return std::nullopt;
  }
  return count;
}

}  // namespace device::socket
