#pragma once
// The scan conversation's exchanges on the TCP channel: a command out, a
// short reply in. Both waits are the channel's own settings: its read
// time-out for a reply's first byte, its settle time for the rest of a
// greeting.

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

// One reply of the device: after a 2 ms pause, one read that waits up to the
// channel's read time-out for its first byte. The reply in a 300-byte buffer
// with zeros behind it, or nothing when no byte came (the stream ended,
// failed or stayed silent).
std::optional<std::vector<std::uint8_t>> receiveResponse(device::tcp::TCPCommunicator& socket);

// The device's greeting, which may come late (a busy or waking device) and
// in pieces: after a 2 ms pause, waits up to the read time-out for its first
// byte, then reads on until awaited.size() bytes came, the bytes can no
// longer become `awaited`, or the stream stays quiet for the settle time.
// What came in a 300-byte buffer with zeros behind it, or nothing when no
// byte came.
std::optional<std::vector<std::uint8_t>> receiveGreeting(device::tcp::TCPCommunicator& socket,
                                                         std::string_view awaited);

}  // namespace scan
