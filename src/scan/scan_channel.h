#pragma once
// The scan conversation's exchanges on the TCP channel: a command out, a
// short reply in.

#include <chrono>
#include <cstddef>
#include <cstdint>
#include <optional>
#include <span>
#include <string_view>
#include <vector>

#include "device/tcp/tcp_communicator.h"

namespace scan {

inline constexpr std::size_t kResponseSize = 300;

// Writes the whole command; false when the channel could not take it all.
bool sendCmd(device::tcp::TCPCommunicator& socket, std::span<const std::uint8_t> cmd);

// One reply of the device: after a 2 ms pause, reads until a byte came, the
// stream ended, or `timeout` passed. With `awaited` (the greeting, which may
// arrive in pieces) it reads on until awaited.size() bytes came, or as soon
// as the bytes can no longer become `awaited`, all within `timeout`. The
// reply in a 300-byte buffer with zeros behind it, or nothing when no byte
// came.
std::optional<std::vector<std::uint8_t>> receiveResponse(device::tcp::TCPCommunicator& socket,
                                                         std::chrono::milliseconds timeout,
                                                         std::string_view awaited = {});

}  // namespace scan
