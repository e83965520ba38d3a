#include "device/usb/qdio_error.h"

namespace device::usb {

std::optional<QDIOError> qdioErrorFromRaw(int raw) {
  if (raw < 0 || raw > static_cast<int>(QDIOError::couldNotGetEnoughData)) {
    return std::nullopt;
  }
  return static_cast<QDIOError>(raw);
}

std::string_view errorDescription(QDIOError error) {
  switch (error) {
    case QDIOError::noPluginInterface:
      return "I/O: No plugin interface.";
    case QDIOError::pluginHasNoUsbDeviceInterface:
      return "USB: Plugin has no device interface.";
    case QDIOError::pluginHasNoUsbInterfaceInterface:
      return "USB: Plugin has no interface interface.";
    case QDIOError::couldNotQueryInterface:
      return "I/O: Could not query interface.";
    case QDIOError::couldNotQueryUsbDeviceInterface:
      return "USB: Could not query device interface.";
    case QDIOError::couldNotQueryUsbInterfaceInterface:
      return "USB: Could not query interface interface.";
    case QDIOError::couldNotGetEnoughData:
      return "Could not get enough data.";
  }
  return "";
}

}  // namespace device::usb
