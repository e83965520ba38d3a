#include "scan/scan_channel.h"

#include <algorithm>
#include <string>
#include <thread>

#include "device/common/log.h"

namespace scan {

bool sendCmd(device::tcp::TCPCommunicator& socket, std::span<const std::uint8_t> cmd) {
  return socket.writeAll(cmd) == static_cast<std::ptrdiff_t>(cmd.size());
}

std::optional<std::vector<std::uint8_t>> receiveResponse(device::tcp::TCPCommunicator& socket,
                                                         std::chrono::milliseconds timeout,
                                                         std::string_view awaited) {
  using Clock = std::chrono::steady_clock;
  std::this_thread::sleep_for(std::chrono::milliseconds(2));
  std::vector<std::uint8_t> buffer(kResponseSize, 0);
  const std::size_t want = std::clamp<std::size_t>(awaited.size(), 1, kResponseSize);
  const auto couldBecomeAwaited = [&](std::size_t count) {
    return std::equal(buffer.begin(), buffer.begin() + static_cast<std::ptrdiff_t>(std::min(count, awaited.size())),
                      awaited.begin());
  };
  const auto deadline = Clock::now() + timeout;
  std::size_t total = 0;
  while (total < want) {
    const auto left = std::chrono::duration_cast<std::chrono::milliseconds>(deadline - Clock::now());
    if (total > 0 && left.count() <= 0) break;
    const std::ptrdiff_t count = socket.readSome(std::span(buffer).subspan(total),
                                                 std::max(left, std::chrono::milliseconds(0)));
    device::logLine("TCPCommunicator: func receiveResponse . read data len = " + std::to_string(count));
    if (count <= 0) break;
    total += static_cast<std::size_t>(count);
    if (!couldBecomeAwaited(total)) break;
  }
  if (total == 0) return std::nullopt;
  return buffer;
}

}  // namespace scan
