#pragma once
// One text command and its reply over the printer's bulk pipes: one write of
// the command's bytes, one read of 16 to 600 bytes.

#include <cstddef>
#include <functional>
#include <optional>
#include <string>
#include <string_view>

#include "device/usb/usb_ids.h"

namespace device::usb {

inline constexpr std::size_t kTextReplyMinBytes = 16;
inline constexpr std::size_t kTextReplyMaxBytes = 600;

// How a command or its reply is written in the log lines (a caller hides
// what must not be kept there); as it is when empty.
using LogText = std::function<std::string(std::string_view)>;

// The reply as text, or no value when the exchange failed (no device, no
// interface or pipe, open, write or read failed, fewer than 16 bytes) or the
// reply is not valid UTF-8. Never throws. The device is found by VID and PID
// (first match) and its first interface is used, opened without seizing.
// The command's bytes go to the printer as given; the log lines show the
// command and the reply through `shown`. A failed exchange is logged by a
// work item on the main queue.
std::optional<std::string> usbInteraction(std::string_view cmd, ProductId PID, VendorId VID,
                                          const LogText& shown = {});

}  // namespace device::usb
