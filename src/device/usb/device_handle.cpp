#include "device/usb/device_handle.h"

#include <libusb.h>

#include <memory>

#include "device/usb/errors.h"
#include "device/usb/libusb_codes.h"

namespace device::usb {
namespace {

constexpr std::string_view kMatchTag = "func create by matchingDictionary ";
constexpr std::string_view kCreateTag = "func create ";
constexpr std::string_view kInterfaceTag = "func createInterfaceInterface ";

struct ContextRelease {
  void operator()(libusb_context* context) const noexcept { libusb_exit(context); }
};
struct ListRelease {
  void operator()(libusb_device** list) const noexcept { libusb_free_device_list(list, 1); }
};
struct ConfigRelease {
  void operator()(libusb_config_descriptor* config) const noexcept { libusb_free_config_descriptor(config); }
};

bool selects(std::uint16_t selector, std::uint8_t value) {
  return selector == kMatchAny || selector == value;
}

}  // namespace

DeviceHandle createDevice(VendorId vendorId, ProductId productId) {
  // A context per device: each lookup sees the bus as it is now, and nothing
  // is shared between exchanges.
  libusb_context* rawContext = nullptr;
  throwIfNotSuccess(ioReturnFromLibusb(libusb_init(&rawContext)), kMatchTag);
  std::unique_ptr<libusb_context, ContextRelease> context(rawContext);

  libusb_device** rawList = nullptr;
  const ssize_t count = libusb_get_device_list(context.get(), &rawList);
  throwIfNotSuccess(ioReturnFromLibusb(count < 0 ? static_cast<int>(count) : 0), kMatchTag);
  std::unique_ptr<libusb_device*, ListRelease> list(rawList);

  for (ssize_t i = 0; i < count; ++i) {
    libusb_device* candidate = rawList[i];
    libusb_device_descriptor descriptor{};
    throwIfNotSuccess(ioReturnFromLibusb(libusb_get_device_descriptor(candidate, &descriptor)), kMatchTag);
    if (VendorId(descriptor.idVendor) != vendorId || ProductId(descriptor.idProduct) != productId) {
      continue;
    }
    libusb_device_handle* handle = nullptr;
    throwIfNotSuccess(ioReturnFromLibusb(libusb_open(candidate, &handle)), kCreateTag);
    return DeviceHandle(std::make_shared<detail::Session>(context.release(), handle));
  }
  throw QDIOException(QDIOError::pluginHasNoUsbDeviceInterface);
}

std::vector<InterfaceHandle> DeviceHandle::createInterfaceInterfaces(std::uint16_t interfaceClass,
                                                                     std::uint16_t interfaceSubClass,
                                                                     std::uint16_t interfaceProtocol,
                                                                     std::uint16_t alternateSetting) const {
  libusb_config_descriptor* rawConfig = nullptr;
  throwIfNotSuccess(
      ioReturnFromLibusb(libusb_get_active_config_descriptor(libusb_get_device(session_->handle()), &rawConfig)),
      kInterfaceTag);
  std::unique_ptr<libusb_config_descriptor, ConfigRelease> config(rawConfig);

  std::vector<InterfaceHandle> found;
  for (int i = 0; i < config->bNumInterfaces; ++i) {
    const libusb_interface& interface = config->interface[i];
    if (interface.num_altsetting < 1) {
      continue;
    }
    // The interface as the device has it set up: its first alternate setting.
    const libusb_interface_descriptor& setting = interface.altsetting[0];
    if (!selects(interfaceClass, setting.bInterfaceClass) || !selects(interfaceSubClass, setting.bInterfaceSubClass) ||
        !selects(interfaceProtocol, setting.bInterfaceProtocol) ||
        !selects(alternateSetting, setting.bAlternateSetting)) {
      continue;
    }
    std::vector<InterfaceHandle::Endpoint> endpoints;
    for (int e = 0; e < setting.bNumEndpoints; ++e) {
      const libusb_endpoint_descriptor& endpoint = setting.endpoint[e];
      endpoints.push_back({endpoint.bEndpointAddress, endpoint.bmAttributes, endpoint.wMaxPacketSize,
                           endpoint.bInterval});
    }
    found.push_back(InterfaceHandle(session_, setting.bInterfaceNumber, std::move(endpoints)));
  }
  if (found.empty()) {
    throw QDIOException(QDIOError::pluginHasNoUsbInterfaceInterface);
  }
  return found;
}

InterfaceHandle DeviceHandle::createInterfaceInterface(std::uint16_t interfaceClass, std::uint16_t interfaceSubClass,
                                                       std::uint16_t interfaceProtocol,
                                                       std::uint16_t alternateSetting) const {
  auto all = createInterfaceInterfaces(interfaceClass, interfaceSubClass, interfaceProtocol, alternateSetting);
  return std::move(all.front());
}

}  // namespace device::usb
