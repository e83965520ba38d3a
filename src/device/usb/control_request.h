#pragma once
// A control request as callers fill it and hand it to sendControlRequest.

#include <cstdint>
#include <span>

namespace device::usb {

struct IOUSBDevRequestTO {
  std::uint8_t bmRequestType = 0;  // direction, type, recipient (0xC0: vendor, device to host)
  std::uint8_t bRequest = 0;
  std::uint16_t wValue = 0;
  std::uint16_t wIndex = 0;
  std::uint16_t wLength = 0;       // bytes the data stage may carry
  // The caller's buffer: the reply lands here, and bytes the device does not
  // send keep what the buffer held (callers zero it). It must hold at least
  // wLength bytes; a shorter one is refused, never written past.
  std::span<std::uint8_t> pData;
  std::uint32_t wLenDone = 0;           // bytes transferred; not handed back to the caller
  std::uint32_t noDataTimeout = 0;      // milliseconds
  std::uint32_t completionTimeout = 0;  // milliseconds
};

}  // namespace device::usb
