#pragma once
// The pipe map: which of an interface's pipes the host writes to and reads
// from. Pipe 0 is the default control pipe, pipe k the interface's k-th
// endpoint; only pipes 1 and 2 are looked at.

#include <cstddef>
#include <cstdint>
#include <functional>
#include <map>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace device::usb {

using PipeMap = std::map<std::string, int, std::less<>>;

inline constexpr std::string_view kWritePipe = "writePipe";
inline constexpr std::string_view kReadPipe = "readPipe";

struct PipeProperties {
  std::uint8_t direction = 0;     // 0 out, 1 in
  std::uint8_t number = 0;        // endpoint number
  std::uint8_t transferType = 0;  // 0 control, 1 isoc, 2 bulk, 3 interrupt
  std::uint16_t maxPacketSize = 0;
  std::uint8_t interval = 0;
};

// From an endpoint descriptor's address and attributes bytes.
PipeProperties pipePropertiesFromEndpoint(std::uint8_t address, std::uint8_t attributes,
                                          std::uint16_t maxPacketSize, std::uint8_t interval);

std::string_view directionName(std::uint8_t direction);
std::string_view transferTypeName(std::uint8_t transferType);

// The three lines logged for a pipe whose properties were read.
std::vector<std::string> pipePropertyLines(int pipe, const PipeProperties& properties);

// Pipes 1 and 2, by direction (out: "writePipe", in: "readPipe"; pipe 2 wins
// when both have one direction), logging as it goes. `properties` gives no
// value for a pipe whose properties cannot be read.
PipeMap buildPipeMap(std::size_t endpointCount,
                     const std::function<std::optional<PipeProperties>(int pipe)>& properties);

}  // namespace device::usb
