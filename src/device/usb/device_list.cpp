#include "device/usb/device_list.h"

#include <libusb.h>

namespace device::usb {

std::vector<AttachedDevice> listAttachedDevices() {
  std::vector<AttachedDevice> found;
  libusb_context* context = nullptr;
  if (libusb_init(&context) != LIBUSB_SUCCESS) {
    return found;
  }
  libusb_device** list = nullptr;
  const ssize_t count = libusb_get_device_list(context, &list);
  for (ssize_t i = 0; i < count; ++i) {
    libusb_device_descriptor descriptor{};
    if (libusb_get_device_descriptor(list[i], &descriptor) == LIBUSB_SUCCESS) {
      found.push_back({VendorId(descriptor.idVendor), ProductId(descriptor.idProduct)});
    }
  }
  if (count >= 0) {
    libusb_free_device_list(list, 1);
  }
  libusb_exit(context);
  return found;
}

}  // namespace device::usb
