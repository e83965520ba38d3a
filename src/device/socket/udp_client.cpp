#include "device/socket/udp_client.h"

#include <array>

#include "device/common/utf8.h"
#include "device/socket/ysocket.h"

namespace device::socket {
namespace {

// The dotted text of the host's address, or nothing.
std::optional<std::string> resolved(const std::string& host) {
  std::array<char, kAddressTextLength> text{};
  if (yudpsocket_get_server_ip(host.c_str(), text) != 0) {
    return std::nullopt;
  }
  return std::string(text.data());
}

}  // namespace

UDPClient::UDPClient(const std::string& address, std::int32_t port)
    : Socket(resolved(address).value_or(std::string()), 0) {
  if (this->address().empty()) {
    return;
  }
  setPort(port);
  const int fd = yudpsocket_client();
  if (fd >= 0) {
    setFd(fd);
  }
}

Result UDPClient::send(std::span<const std::uint8_t> data) {
  return sendWith(data, [this](int fd, const char* bytes, int length) {
    return yudpsocket_sentto(fd, bytes, length, address().c_str(), port());
  });
}

Result UDPClient::send(std::string_view text) { return send(bytesOf(text)); }

void UDPClient::enableBroadcast() {
  if (fd()) {
    enable_broadcast(*fd());
  }
}

Datagram UDPClient::recv(int expected) { return detail::receiveDatagram(fd(), expected); }

}  // namespace device::socket
