#pragma once
// The layer's log: plain lines on standard output.

#include <cstdint>
#include <span>
#include <string>
#include <string_view>

namespace device::usb {

void logLine(std::string_view line);

// "[1, 2, 3]": bytes as a bracketed list of decimal values.
std::string byteList(std::span<const std::uint8_t> bytes);

}  // namespace device::usb
