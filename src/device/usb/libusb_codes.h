#pragma once
// libusb's error numbers as the layer's result codes: one table, so every
// operation reports a given libusb failure the same way.

#include <span>

#include "device/usb/io_return.h"

namespace device::usb {

struct LibusbCodeRow {
  int libusbError;  // a LIBUSB_ERROR_* value (LIBUSB_SUCCESS included)
  IOReturn code;
};

std::span<const LibusbCodeRow> libusbCodeTable();

// The table's code for a libusb result; a negative value the table does not
// know gives kIOReturnError, and a non-negative one (a byte count) success.
IOReturn ioReturnFromLibusb(int result);

}  // namespace device::usb
