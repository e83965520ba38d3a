#include "scanner/scanner_discovery.h"

#include <string>

#include "device/common/log.h"
#include "device/common/supported_model.h"
#include "device/snmp/discovery_list.h"
#include "device/usb/device_list.h"

namespace scan {

using device::logLine;

std::vector<Device> getDeviceBySNMP(const DiscoverySettings& settings) {
  std::vector<Device> found;
  std::string list;
  if (device::snmp::autoDetectSNMPPrinters(list, settings.interfaces, settings.timing) == -1) {
    logLine("snmp get printers error\n");
    return found;
  }
  logLine("swift snmp printerList : " + list);
  for (const auto& agent : device::snmp::parseDiscoveryList(list)) {
    for (const BaseDevice& row : BRELDevices()) {
      if (agent.objectId.find(row.oid) == std::string::npos) continue;
      found.emplace_back(row.name, row.name + "(" + agent.address + ")", kTypeNet, agent.address,
                         row.PID, device::model::kVendorId.value);
    }
  }
  return found;
}

std::vector<Device> getDeviceByIOUSB() {
  std::vector<Device> found;
  for (const auto& attached : device::usb::listAttachedDevices()) {
    const std::string ids = "pid = " + std::to_string(attached.product.value) +
                            " and vid = " + std::to_string(attached.vendor.value);
    logLine(" find device " + ids);
    if (attached.vendor != device::model::kVendorId) continue;
    for (const BaseDevice& row : BRELDevices()) {
      if (row.PID != attached.product.value) continue;
      found.emplace_back(row.name, row.name, kTypeUsb, "", row.PID, row.VID);
      logLine(" find brel device  " + ids);
    }
  }
  return found;
}

std::vector<Device> getDevicesList(const DiscoverySettings& settings) {
  std::vector<Device> devices = getDeviceBySNMP(settings);
  std::vector<Device> usb = getDeviceByIOUSB();
  devices.insert(devices.end(), usb.begin(), usb.end());
  return devices;
}

}  // namespace scan
