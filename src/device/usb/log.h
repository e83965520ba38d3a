#pragma once
// Byte lists for the layer's log lines.

#include <cstdint>
#include <span>
#include <string>
#include <string_view>

#include "device/common/log.h"

namespace device::usb {

// "[1, 2, 3]": bytes as a bracketed list of decimal values.
std::string byteList(std::span<const std::uint8_t> bytes);

}  // namespace device::usb
