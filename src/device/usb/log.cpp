#include "device/usb/log.h"

namespace device::usb {

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

}  // namespace device::usb
