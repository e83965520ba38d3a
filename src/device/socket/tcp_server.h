#pragma once
// A listening TCP socket on a dotted address and port.

#include <optional>

#include "device/socket/socket.h"
#include "device/socket/tcp_client.h"

namespace device::socket {

class TCPServer : public Socket {
 public:
  using Socket::Socket;

  // Binds and listens; with port 0, port() becomes the port the system
  // chose. A failure is unknownError.
  Result listen();
  // The next connection, waiting up to `timeout` seconds (0 or less:
  // without limit), as a client with the peer's address and port; none
  // without a listening socket or when nothing came.
  std::optional<TCPClient> accept(int timeout = 0);
};

}  // namespace device::socket
