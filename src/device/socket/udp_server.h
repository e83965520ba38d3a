#pragma once
// A UDP socket bound to a local address and port.

#include <cstdint>
#include <string>

#include "device/socket/datagram.h"
#include "device/socket/socket.h"

namespace device::socket {

class UDPServer : public Socket {
 public:
  // Binds (any local address for "", "255.255.255.255"); no socket when
  // that fails.
  UDPServer(const std::string& address, std::int32_t port);

  // Waits for one datagram of up to `expected` bytes.
  Datagram recv(int expected);
};

}  // namespace device::socket
