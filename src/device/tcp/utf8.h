#pragma once

#include <cstdint>
#include <span>

namespace device::tcp {

// True when bytes are well-formed UTF-8 (no overlong forms, no surrogates,
// nothing above U+10FFFF, no sequence cut short at the end).
bool isValidUtf8(std::span<const std::uint8_t> bytes);

}  // namespace device::tcp
