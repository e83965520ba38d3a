#pragma once
// Time-outs: callers give seconds, the device gets whole milliseconds.

#include <cstdint>

namespace device::usb {

// seconds x 1000, truncated toward zero (0.3 s is 300 ms). A value that is
// not finite or lies outside (-1, 2^32) ms is a caller error:
// std::invalid_argument.
std::uint32_t millisecondsFromSeconds(double seconds);

// libusb bounds a transfer with one time-out, for the whole transfer, and
// reports its bytes only once it ends, so a separate "no data" bound cannot
// be watched. The completion time-out bounds the transfer; the no-data one
// stands in only when no completion bound is given. Neither given (both 0)
// would wait for ever: std::invalid_argument.
unsigned int transferTimeoutMs(std::uint32_t noDataTimeoutMs, std::uint32_t completionTimeoutMs);

}  // namespace device::usb
