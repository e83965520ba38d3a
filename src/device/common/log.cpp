#include "device/common/log.h"

#include <iostream>

namespace device {

void logLine(std::string_view line) { std::cout << line << std::endl; }

std::string byteList(std::span<const std::uint8_t> bytes) {
  std::string out = "[";
  for (std::size_t i = 0; i < bytes.size(); ++i) {
    if (i != 0) {
      out += ", ";
    }
    out += std::to_string(bytes[i]);
  }
  out += "]";
  return out;
}

}  // namespace device
