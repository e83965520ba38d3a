#include "monitor/monitor_devices.h"

#include <thread>
#include <utility>

#include "device/usb/device_handle.h"
#include "device/usb/text_command.h"

namespace monitor {
namespace {

// The handles are released when they go out of scope, on success and on
// failure alike (interface first).
void sendControlRequestToDevice(device::usb::VendorId vendor, device::usb::ProductId product,
                                const device::usb::IOUSBDevRequestTO& request) {
  const device::usb::DeviceHandle handle = device::usb::createDevice(vendor, product);
  device::usb::InterfaceHandle interface = handle.createInterfaceInterface(
      device::usb::kMatchAny, device::usb::kMatchAny, device::usb::kMatchAny, device::usb::kMatchAny);
  interface.sendControlRequest(request, 0);
}

}  // namespace

std::function<long(std::string&)> snmpDiscovery(device::snmp::InterfaceSource interfaces,
                                                device::snmp::DiscoveryTiming timing) {
  return [interfaces = std::move(interfaces), timing](std::string& list) {
    return device::snmp::autoDetectSNMPPrinters(list, interfaces, timing);
  };
}

std::function<std::string(std::string_view, std::string_view, std::size_t)> snmpStatusGet(std::uint16_t port) {
  device::snmp::QueryOptions options;
  options.port = port;
  options.timeout = kStatusQueryTimeout;
  options.retries = kStatusQueryRetries;
  return [options](std::string_view ip, std::string_view oid, std::size_t bufferSize) {
    return device::snmp::getPrinterStatusBySNMP(ip, oid, bufferSize, options);
  };
}

MonitorDevices realDevices() {
  MonitorDevices devices;
  devices.listUsbDevices = device::usb::listAttachedDevices;
  devices.sendUsbControlRequest = sendControlRequestToDevice;
  devices.usbTextCommand = device::usb::usbInteraction;
  devices.snmpDiscover = snmpDiscovery(device::snmp::hostIPv4Interfaces);
  devices.snmpGet = snmpStatusGet();
  devices.pollInterval = kPollInterval;
  devices.wait = [](std::chrono::milliseconds pause) { std::this_thread::sleep_for(pause); };
  return devices;
}

}  // namespace monitor
