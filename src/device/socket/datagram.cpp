#include "device/socket/datagram.h"

#include <array>

#include "device/socket/ysocket.h"

namespace device::socket::detail {

Datagram receiveDatagram(std::optional<std::int32_t> fd, int expected) {
  if (!fd) {
    return {std::nullopt, "no ip", 0};
  }
  std::vector<std::uint8_t> buffer(static_cast<std::size_t>(expected > 0 ? expected : 0));
  std::array<char, kAddressTextLength> address{};
  int port = 0;
  const int count = yudpsocket_recive(*fd, reinterpret_cast<char*>(buffer.data()),
                                      static_cast<int>(buffer.size()), address, &port);
  Datagram received{std::nullopt, std::string(address.data()), port};
  if (count > 0) {
    buffer.resize(static_cast<std::size_t>(count));
    received.bytes = std::move(buffer);
  }
  return received;
}

}  // namespace device::socket::detail
