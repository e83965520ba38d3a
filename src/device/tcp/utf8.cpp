#include "device/tcp/utf8.h"

#include <cstddef>

namespace device::tcp {
namespace {

bool isContinuation(std::uint8_t byte) { return (byte & 0xC0u) == 0x80u; }

}  // namespace

bool isValidUtf8(std::span<const std::uint8_t> bytes) {
  std::size_t i = 0;
  while (i < bytes.size()) {
    const std::uint8_t lead = bytes[i];
    std::size_t length = 0;
    // The second byte's range rules out overlong forms, surrogates and
    // code points above U+10FFFF (Unicode, table 3-7).
    std::uint8_t low = 0x80;
    std::uint8_t high = 0xBF;
    if (lead < 0x80) {
      ++i;
      continue;
    } else if (lead >= 0xC2 && lead <= 0xDF) {
      length = 2;
    } else if (lead >= 0xE0 && lead <= 0xEF) {
      length = 3;
      low = lead == 0xE0 ? 0xA0 : 0x80;
      high = lead == 0xED ? 0x9F : 0xBF;
    } else if (lead >= 0xF0 && lead <= 0xF4) {
      length = 4;
      low = lead == 0xF0 ? 0x90 : 0x80;
      high = lead == 0xF4 ? 0x8F : 0xBF;
    } else {
      return false;
    }
    if (bytes.size() - i < length || bytes[i + 1] < low || bytes[i + 1] > high) {
      return false;
    }
    for (std::size_t k = 2; k < length; ++k) {
      if (!isContinuation(bytes[i + k])) {
        return false;
      }
    }
    i += length;
  }
  return true;
}

}  // namespace device::tcp
