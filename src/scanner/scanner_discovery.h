#pragma once
// Finding the supported scanners: on the local networks by SNMP broadcast,
// then on USB.

#include <vector>

#include "device/snmp/snmputil.h"
#include "scan/conversation/scanner_device.h"

namespace scan {

// Where the broadcast goes and how long it listens. The application uses the
// host's interfaces and the full listening time; tests give their own.
struct DiscoverySettings {
  device::snmp::InterfaceSource interfaces = device::snmp::hostIPv4Interfaces;
  device::snmp::DiscoveryTiming timing{};
};

// Network scanners in the order of the SNMP discovery list: one per answer
// whose sysObjectID text contains a supported model's oid. Never fails: a
// failed search only finds nothing.
std::vector<Device> getDeviceBySNMP(const DiscoverySettings& settings = {});

// USB scanners in bus order: the maker's vendor ID and a supported model's
// product ID.
std::vector<Device> getDeviceByIOUSB();

// Network scanners first, then USB scanners.
std::vector<Device> getDevicesList(const DiscoverySettings& settings = {});

}  // namespace scan
