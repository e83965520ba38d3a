#pragma once

// Texts of object identifiers and values as net-snmp prints them, whole
// (no fixed-size buffer that could cut them at an unknown place). Internal
// to device/snmp.

#include <cstddef>
#include <string>

#include <net-snmp/net-snmp-config.h>
#include <net-snmp/net-snmp-includes.h>

namespace device::snmp {

// As snprint_objid prints it, e.g. "iso.3.6.1.4.1.48117.4.7.1.8".
std::string objectIdText(const oid* id, std::size_t length);

// As snprint_value prints it, e.g. "INTEGER: 85", "STRING: \"2009,...\"",
// "No Such Instance currently exists at this OID".
std::string valueText(const netsnmp_variable_list& variable);

}  // namespace device::snmp
