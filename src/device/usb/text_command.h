#pragma once
// One text command and its reply over the printer's bulk pipes: one write of
// the command's bytes, one read of 16 to 600 bytes.

#include <cstddef>
#include <optional>
#include <string>
#include <string_view>

#include "device/usb/usb_ids.h"

namespace device::usb {

inline constexpr std::size_t kTextReplyMinBytes = 16;
inline constexpr std::size_t kTextReplyMaxBytes = 600;

// The reply as text, or no value when the exchange failed (no device, no
// interface or pipe, open, write or read failed, fewer than 16 bytes) or the
// reply is not valid UTF-8. Never throws. The device is found by VID and PID
// (first match) and its first interface is used, opened without seizing.
// A failed exchange is logged by a work item on the main queue.
std::optional<std::string> usbInteraction(std::string_view cmd, ProductId PID, VendorId VID);

}  // namespace device::usb
