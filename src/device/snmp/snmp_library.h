#pragma once

// One-time set-up of net-snmp for this process. Internal to device/snmp.

namespace device::snmp {

// Read community of the printer's agent.
inline constexpr char readCommunity[] = "ploxen";

// Initialises the library on first use and pins every output option that
// shapes the texts handed to our callers. Safe to call before each operation.
void ensureSnmpLibrary();

}  // namespace device::snmp
