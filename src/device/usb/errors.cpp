#include "device/usb/errors.h"

#include "device/common/flavour.h"
#include "device/common/log.h"

namespace device::usb {

IOReturnError::IOReturnError(IOReturn code) : UsbError(errorDescription(code)), code_(code) {}

QDIOException::QDIOException(QDIOError error) : UsbError(std::string(errorDescription(error))), error_(error) {}

std::string taggedFailureLine(std::string_view tag, IOReturn code) {
  std::string line = "error happened at ";
  line += tag;
  line += " and error is: Optional(\"";
  line += errorDescription(code);
  line += "\")";
  return line;
}

void throwIfNotSuccess(IOReturn code, std::string_view tag) {
  if (code == kIOReturnSuccess) {
    return;
  }
  if (flavour() == Flavour::Scanner) {
    logLine(taggedFailureLine(tag, code));
  }
  throw IOReturnError(code);
}

void throwIfControlRequestNotSuccess(IOReturn code) {
  if (code == kIOReturnSuccess) {
    return;
  }
  if (flavour() == Flavour::StatusMonitor) {
    logLine("send control request not success");
  }
  throw IOReturnError(code);
}

}  // namespace device::usb
