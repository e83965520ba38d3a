#pragma once
// Everything the status monitor's models ask of the outside world, in one
// place: the USB and SNMP operations of the device layer, the poll interval
// and the pause of the hot-spot retry. The program fills it from the device
// layer (realDevices); tests fill it against the simulated printer and real
// SNMP agents, with short intervals.

#include <chrono>
#include <cstddef>
#include <cstdint>
#include <functional>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "device/snmp/snmputil.h"
#include "device/usb/control_request.h"
#include "device/usb/device_list.h"
#include "device/usb/text_command.h"
#include "device/usb/usb_ids.h"

namespace monitor {

// How often the selected printer is read.
inline constexpr std::chrono::milliseconds kPollInterval{6000};
// How long the hot-spot query waits before it asks again after "8011", and
// how many times it asks at most.
inline constexpr std::chrono::milliseconds kHotSpotRetryWait{2000};
inline constexpr int kHotSpotMaxAsks = 5;
// One status or toner GET: a switched-off printer must not hold the window
// for the library's defaults (1 s and 5 retries) on every poll.
inline constexpr std::chrono::seconds kStatusQueryTimeout{1};
inline constexpr int kStatusQueryRetries = 1;
inline constexpr std::uint16_t kSnmpPort = 161;

struct MonitorDevices {
  // The vendor and product ID of every attached USB device, in bus order,
  // without opening any.
  std::function<std::vector<device::usb::AttachedDevice>()> listUsbDevices;

  // Sends the control request on the default pipe of the first attached
  // device with these IDs (through its first interface, not opened); the
  // reply lands in the request's buffer. Throws (device::usb::UsbError) when
  // there is no such device or interface, or the transfer fails.
  std::function<void(device::usb::VendorId, device::usb::ProductId, const device::usb::IOUSBDevRequestTO&)>
      sendUsbControlRequest;

  // One text command over the printer's bulk pipes and its reply; no value
  // when the exchange failed. Never throws. Its log lines show the command
  // and the reply as the last argument gives them.
  std::function<std::optional<std::string>(std::string_view command, device::usb::ProductId,
                                           device::usb::VendorId, const device::usb::LogText&)>
      usbTextCommand;

  // SNMP discovery: fills the discovery list ("address,sysObjectID|" per
  // answer); 0, or -1 when the host's interfaces cannot be enumerated.
  std::function<long(std::string& list)> snmpDiscover;

  // One SNMP GET: the value as the library prints it, or "error"; cut to
  // what a buffer of bufferSize bytes holds with its terminating zero.
  std::function<std::string(std::string_view ip, std::string_view oid, std::size_t bufferSize)> snmpGet;

  std::chrono::milliseconds pollInterval = kPollInterval;

  // Blocks the calling (GUI) thread for the given time.
  std::function<void(std::chrono::milliseconds)> wait;
};

// The device layer's entries with the real settings.
std::function<long(std::string&)> snmpDiscovery(device::snmp::InterfaceSource interfaces,
                                                device::snmp::DiscoveryTiming timing = {});
// GETs with the status poll's time-out and retries, to the given port.
std::function<std::string(std::string_view, std::string_view, std::size_t)> snmpStatusGet(
    std::uint16_t port = kSnmpPort);
// Every entry from the device layer, the 6 s poll, a real 2 s pause.
MonitorDevices realDevices();

}  // namespace monitor
