#pragma once
// The applications' log: plain lines on standard output, one call per line.
// Every layer above the device (models, scan engine) writes through it too.

#include <cstdint>
#include <span>
#include <string>
#include <string_view>

namespace device {

void logLine(std::string_view line);

// "[1, 2, 3]": bytes as a bracketed list of decimal values, as log lines
// show replies, headers and records.
std::string byteList(std::span<const std::uint8_t> bytes);

}  // namespace device
