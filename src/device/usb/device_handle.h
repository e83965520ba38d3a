#pragma once
// Finding the printer on USB and reaching its interfaces.
//
// Handles are never empty: a device handle exists only for a device that was
// found and opened, an interface handle only for an interface of it, so no
// operation can "succeed" on a missing device.

#include <cstdint>
#include <vector>

#include "device/usb/interface_handle.h"
#include "device/usb/session.h"
#include "device/usb/usb_ids.h"

namespace device::usb {

inline constexpr std::uint16_t kMatchAny = 0xFFFF;

class DeviceHandle {
 public:
  // The interfaces of the active configuration that match the selectors
  // (kMatchAny matches anything), in the device's order. None matching:
  // QDIOException(pluginHasNoUsbInterfaceInterface).
  std::vector<InterfaceHandle> createInterfaceInterfaces(std::uint16_t interfaceClass = kMatchAny,
                                                         std::uint16_t interfaceSubClass = kMatchAny,
                                                         std::uint16_t interfaceProtocol = kMatchAny,
                                                         std::uint16_t alternateSetting = kMatchAny) const;

  // The first of them.
  InterfaceHandle createInterfaceInterface(std::uint16_t interfaceClass = kMatchAny,
                                           std::uint16_t interfaceSubClass = kMatchAny,
                                           std::uint16_t interfaceProtocol = kMatchAny,
                                           std::uint16_t alternateSetting = kMatchAny) const;

 private:
  friend DeviceHandle createDevice(VendorId vendorId, ProductId productId);
  explicit DeviceHandle(detail::SessionPtr session) : session_(std::move(session)) {}

  detail::SessionPtr session_;
};

// The first attached device with these IDs, opened (not claimed). None:
// QDIOException(pluginHasNoUsbDeviceInterface). A first match that cannot be
// opened throws its code; no later device is tried.
DeviceHandle createDevice(VendorId vendorId, ProductId productId);

}  // namespace device::usb
