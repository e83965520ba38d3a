#pragma once
// The scan conversation's exchanges on the TCP channel: a command out, a
// short reply in.

#include <chrono>
#include <cstddef>
#include <cstdint>
#include <optional>
#include <span>
#include <vector>

#include "device/tcp/tcp_communicator.h"

namespace scan {

inline constexpr std::size_t kResponseSize = 300;

// Writes the whole command; false when the channel could not take it all.
bool sendCmd(device::tcp::TCPCommunicator& socket, std::span<const std::uint8_t> cmd);

// One reply of the device: after a 2 ms pause, reads until `wanted` bytes
// came (a reply may arrive in pieces), the stream ended, or `timeout` passed.
// The reply in a 300-byte buffer with zeros behind it, or nothing when no
// byte came.
std::optional<std::vector<std::uint8_t>> receiveResponse(device::tcp::TCPCommunicator& socket,
                                                         std::chrono::milliseconds timeout,
                                                         std::size_t wanted = 1);

}  // namespace scan
