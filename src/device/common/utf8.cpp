#include "device/common/utf8.h"

namespace device {
namespace {

bool continuation(std::uint8_t byte) { return (byte & 0xC0u) == 0x80u; }

// Length of the well-formed sequence starting at `at`, or 0.
std::size_t sequenceLength(std::span<const std::uint8_t> bytes, std::size_t at) {
  const std::uint8_t lead = bytes[at];
  const std::size_t left = bytes.size() - at;
  if (lead < 0x80u) {
    return 1;
  }
  std::size_t length = 0;
  std::uint8_t low = 0x80;  // bounds on the second byte rule out overlong
  std::uint8_t high = 0xBF; // forms, surrogates and values past U+10FFFF
  if (lead >= 0xC2u && lead <= 0xDFu) {
    length = 2;
  } else if (lead >= 0xE0u && lead <= 0xEFu) {
    length = 3;
    if (lead == 0xE0u) low = 0xA0;
    if (lead == 0xEDu) high = 0x9F;
  } else if (lead >= 0xF0u && lead <= 0xF4u) {
    length = 4;
    if (lead == 0xF0u) low = 0x90;
    if (lead == 0xF4u) high = 0x8F;
  } else {
    return 0;
  }
  if (left < length || bytes[at + 1] < low || bytes[at + 1] > high) {
    return 0;
  }
  for (std::size_t i = 2; i < length; ++i) {
    if (!continuation(bytes[at + i])) {
      return 0;
    }
  }
  return length;
}

}  // namespace

std::optional<std::string> decodeUtf8(std::span<const std::uint8_t> bytes) {
  for (std::size_t at = 0; at < bytes.size();) {
    const std::size_t length = sequenceLength(bytes, at);
    if (length == 0) {
      return std::nullopt;
    }
    at += length;
  }
  return std::string(bytes.begin(), bytes.end());
}

}  // namespace device
