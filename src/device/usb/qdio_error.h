#pragma once
// The USB layer's own failures, beside the device's result codes.

#include <optional>
#include <string_view>

namespace device::usb {

enum class QDIOError : int {
  noPluginInterface = 0,
  pluginHasNoUsbDeviceInterface = 1,
  pluginHasNoUsbInterfaceInterface = 2,
  couldNotQueryInterface = 3,
  couldNotQueryUsbDeviceInterface = 4,
  couldNotQueryUsbInterfaceInterface = 5,
  couldNotGetEnoughData = 6,
};

// Raw values 0 to 6 make a case; anything else makes none.
std::optional<QDIOError> qdioErrorFromRaw(int raw);

std::string_view errorDescription(QDIOError error);

}  // namespace device::usb
