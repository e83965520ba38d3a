#pragma once
// A UDP socket that sends to one address and port.

#include <cstdint>
#include <span>
#include <string>
#include <string_view>

#include "device/socket/datagram.h"
#include "device/socket/socket.h"

namespace device::socket {

class UDPClient : public Socket {
 public:
  // Resolves address to its first IPv4 address and opens a socket. A host
  // that does not resolve gives address "", port 0 and no socket.
  UDPClient(const std::string& address, std::int32_t port);

  // One datagram of the bytes: without a socket connectionClosed, a
  // failed or short send unknownError.
  Result send(std::span<const std::uint8_t> data);
  Result send(std::string_view text);
  void enableBroadcast();
  Datagram recv(int expected);
};

}  // namespace device::socket
