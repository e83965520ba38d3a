#include "scan/conversation/scan_channel.h"

#include <algorithm>
#include <chrono>
#include <string>
#include <thread>

#include "device/common/log.h"

namespace scan {
namespace {

std::ptrdiff_t readLogged(device::tcp::TCPCommunicator& socket, std::span<std::uint8_t> into,
                          std::chrono::milliseconds timeout) {
  const std::ptrdiff_t count = socket.readSome(into, timeout);
  device::logLine("TCPCommunicator: func receiveResponse . read data len = " + std::to_string(count));
  return count;
}

}  // namespace

bool sendCmd(device::tcp::TCPCommunicator& socket, std::span<const std::uint8_t> cmd) {
  return socket.writeAll(cmd) == static_cast<std::ptrdiff_t>(cmd.size());
}

std::optional<std::vector<std::uint8_t>> receiveResponse(device::tcp::TCPCommunicator& socket) {
  std::this_thread::sleep_for(std::chrono::milliseconds(2));
  std::vector<std::uint8_t> buffer(kResponseSize, 0);
  if (readLogged(socket, buffer, socket.options().ioTimeout) <= 0) return std::nullopt;
  return buffer;
}

std::optional<std::vector<std::uint8_t>> receiveGreeting(device::tcp::TCPCommunicator& socket,
                                                         std::string_view awaited) {
  std::this_thread::sleep_for(std::chrono::milliseconds(2));
  std::vector<std::uint8_t> buffer(kResponseSize, 0);
  const std::size_t want = std::min(awaited.size(), kResponseSize);
  const auto couldBecomeAwaited = [&](std::size_t count) {
    return std::equal(buffer.begin(), buffer.begin() + static_cast<std::ptrdiff_t>(std::min(count, want)),
                      awaited.begin());
  };
  // Only the first byte may take as long as any reply; once the device has
  // begun, the rest of its greeting follows at once or not at all.
  std::ptrdiff_t count = readLogged(socket, buffer, socket.options().ioTimeout);
  if (count <= 0) return std::nullopt;
  auto total = static_cast<std::size_t>(count);
  while (total < want && couldBecomeAwaited(total)) {
    count = readLogged(socket, std::span(buffer).subspan(total), socket.options().settleTime);
    if (count <= 0) break;
    total += static_cast<std::size_t>(count);
  }
  return buffer;
}

}  // namespace scan
