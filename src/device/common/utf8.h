#pragma once

#include <cstdint>
#include <optional>
#include <span>
#include <string>
#include <string_view>

namespace device {

// The text's bytes as they are, for a device or a decoder.
inline std::span<const std::uint8_t> bytesOf(std::string_view text) {
  return {reinterpret_cast<const std::uint8_t*>(text.data()), text.size()};
}

// The bytes as text when they are well-formed UTF-8 (no overlong forms, no
// surrogates, nothing past U+10FFFF, no cut-off sequence); otherwise no value.
std::optional<std::string> decodeUtf8(std::span<const std::uint8_t> bytes);

}  // namespace device
