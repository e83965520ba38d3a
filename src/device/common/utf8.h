#pragma once

#include <cstdint>
#include <optional>
#include <span>
#include <string>

namespace device {

// The bytes as text when they are well-formed UTF-8 (no overlong forms, no
// surrogates, nothing past U+10FFFF, no cut-off sequence); otherwise no value.
std::optional<std::string> decodeUtf8(std::span<const std::uint8_t> bytes);

}  // namespace device
