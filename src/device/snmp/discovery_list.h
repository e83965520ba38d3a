#pragma once
// Reading the list that SNMP discovery writes: one entry per answer,
// "address,sysObjectID|". The printer and the scanner discovery both read it.

#include <string>
#include <string_view>
#include <vector>

namespace device::snmp {

struct DiscoveredAgent {
  std::string address;   // dotted IPv4 text
  std::string objectId;  // the sysObjectID as the library printed it
};

// Entries in list order. Empty pieces (the one after the final "|" among
// them) and pieces without a "," are skipped; a piece's fields beyond the
// second are ignored.
std::vector<DiscoveredAgent> parseDiscoveryList(std::string_view list);

}  // namespace device::snmp
