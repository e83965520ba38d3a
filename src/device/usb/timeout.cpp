#include "device/usb/timeout.h"

#include <cmath>
#include <stdexcept>

namespace device::usb {

std::uint32_t millisecondsFromSeconds(double seconds) {
  const double milliseconds = seconds * 1000.0;
  if (!std::isfinite(milliseconds) || milliseconds <= -1.0 || milliseconds >= 4294967296.0) {
    throw std::invalid_argument("USB time-out out of range");
  }
  const double whole = std::trunc(milliseconds);
  return whole <= 0.0 ? 0u : static_cast<std::uint32_t>(whole);
}

unsigned int transferTimeoutMs(std::uint32_t noDataTimeoutMs, std::uint32_t completionTimeoutMs) {
  const std::uint32_t bound = completionTimeoutMs != 0 ? completionTimeoutMs : noDataTimeoutMs;
  if (bound == 0) {
    throw std::invalid_argument("USB transfer without a time-out");
  }
  return bound;
}

}  // namespace device::usb
