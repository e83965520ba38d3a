#include "device/usb/session.h"

#include <libusb.h>

namespace device::usb::detail {

Session::~Session() {
  libusb_close(handle_);
  libusb_exit(context_);
}

}  // namespace device::usb::detail
