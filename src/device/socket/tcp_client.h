#pragma once
// A TCP connection to an address and port, over the C-style helpers.

#include <cstdint>
#include <optional>
#include <span>
#include <string_view>
#include <vector>

#include "device/socket/socket.h"

namespace device::socket {

class TCPClient : public Socket {
 public:
  using Socket::Socket;

  // Connects within `timeout` seconds: the descriptor becomes fd().
  // Failures: host not resolvable queryFailed, wait failed
  // connectionClosed, time-out connectionTimeout, refused or failed
  // unknownError.
  Result connect(int timeout);

  // Sends every byte: without a connection connectionClosed, a failed or
  // short write unknownError.
  Result send(std::span<const std::uint8_t> data);
  Result send(std::string_view text);

  // Up to `expected` bytes (ytcpsocket_pull's waits, `timeout` seconds for
  // the first); none without a connection or when nothing came.
  std::optional<std::vector<std::uint8_t>> read(int expected, int timeout = -1);
  // Bytes waiting to be read; none without a connection or when the query
  // fails.
  std::optional<std::int32_t> bytesAvailable();
};

}  // namespace device::socket
