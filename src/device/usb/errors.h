#pragma once
// What the USB layer throws, and the checks every device result goes through.
// Callers that only need to know an exchange failed catch UsbError.

#include <stdexcept>
#include <string>
#include <string_view>

#include "device/usb/io_return.h"
#include "device/usb/qdio_error.h"

namespace device::usb {

class UsbError : public std::runtime_error {
 public:
  using std::runtime_error::runtime_error;
};

// A device result code other than success; what() is the code's text.
class IOReturnError : public UsbError {
 public:
  explicit IOReturnError(IOReturn code);
  IOReturn code() const noexcept { return code_; }

 private:
  IOReturn code_;
};

class QDIOException : public UsbError {
 public:
  explicit QDIOException(QDIOError error);
  QDIOError error() const noexcept { return error_; }

 private:
  QDIOError error_;
};

// "error happened at " + tag + " and error is: Optional("<text>")"
std::string taggedFailureLine(std::string_view tag, IOReturn code);

// Success does nothing. Any other code is thrown as IOReturnError; the
// scanner's build first logs taggedFailureLine(tag, code).
void throwIfNotSuccess(IOReturn code, std::string_view tag);

// For control requests: the status monitor's build logs "send control request
// not success" before throwing, the scanner's build throws without a line.
void throwIfControlRequestNotSuccess(IOReturn code);

}  // namespace device::usb
