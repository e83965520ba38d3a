#pragma once
// One received datagram, as both UDP classes answer it.

#include <cstdint>
#include <optional>
#include <string>
#include <vector>

namespace device::socket {

struct Datagram {
  // None when nothing was received (or without a socket).
  std::optional<std::vector<std::uint8_t>> bytes;
  // The sender's address text and port; "no ip" and 0 without a socket.
  std::string address;
  int port = 0;
};

namespace detail {
// Receives one datagram of up to `expected` bytes on fd.
Datagram receiveDatagram(std::optional<std::int32_t> fd, int expected);
}  // namespace detail

}  // namespace device::socket
