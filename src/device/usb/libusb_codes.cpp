#include "device/usb/libusb_codes.h"

#include <libusb.h>

#include <array>

namespace device::usb {
namespace {

constexpr std::array kRows = std::to_array<LibusbCodeRow>({
    {LIBUSB_SUCCESS, kIOReturnSuccess},
    {LIBUSB_ERROR_IO, kIOReturnIOError},
    {LIBUSB_ERROR_INVALID_PARAM, kIOReturnBadArgument},
    {LIBUSB_ERROR_ACCESS, kIOReturnNotPermitted},
    {LIBUSB_ERROR_NO_DEVICE, kIOReturnNoDevice},
    {LIBUSB_ERROR_NOT_FOUND, kIOReturnNotFound},
    // A claimed interface (another program, or a kernel driver bound to it).
    {LIBUSB_ERROR_BUSY, kIOReturnExclusiveAccess},
    // libusb times out transfers only; the USB code names exactly that.
    {LIBUSB_ERROR_TIMEOUT, kIOUSBTransactionTimeout},
    // The device sent more than the buffer holds.
    {LIBUSB_ERROR_OVERFLOW, kIOReturnOverrun},
    {LIBUSB_ERROR_PIPE, kIOUSBPipeStalled},
    {LIBUSB_ERROR_INTERRUPTED, kIOReturnAborted},
    {LIBUSB_ERROR_NO_MEM, kIOReturnNoMemory},
    {LIBUSB_ERROR_NOT_SUPPORTED, kIOReturnUnsupported},
    {LIBUSB_ERROR_OTHER, kIOReturnError},
});

}  // namespace

std::span<const LibusbCodeRow> libusbCodeTable() { return kRows; }

IOReturn ioReturnFromLibusb(int result) {
  if (result >= 0) {
    return kIOReturnSuccess;
  }
  for (const auto& row : kRows) {
    if (row.libusbError == result) {
      return row.code;
    }
  }
  return kIOReturnError;
}

}  // namespace device::usb
