#pragma once
// The simulated USB printer's replies as the real printer sends them, for
// the window tests, the try-it window and the benchmark.

#include <algorithm>
#include <cstdint>
#include <string>

#include "sim/usb/usb_sim.h"

namespace monitor_sim {

// A reply to a text command: NUL bytes fill it up to the 16 bytes the host
// reads at least.
inline sim::usb::Answer printerReply(std::string text) {
  text.resize(std::max<std::size_t>(text.size(), 16), '\0');
  return sim::usb::Answer::text(text);
}

// The five bytes of the status request's reply: code (little-endian) and
// toner.
inline sim::usb::Bytes statusReply(int code, int toner) {
  return {static_cast<std::uint8_t>(code & 0xFF), static_cast<std::uint8_t>(code >> 8),
          static_cast<std::uint8_t>(toner), 0, 0};
}

}  // namespace monitor_sim
