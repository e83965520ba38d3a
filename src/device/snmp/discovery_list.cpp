#include "device/snmp/discovery_list.h"

namespace device::snmp {
namespace {

std::vector<std::string_view> split(std::string_view text, char separator) {
  std::vector<std::string_view> pieces;
  std::size_t start = 0;
  for (;;) {
    const std::size_t end = text.find(separator, start);
    pieces.push_back(text.substr(start, end == std::string_view::npos ? std::string_view::npos : end - start));
    if (end == std::string_view::npos) {
      return pieces;
    }
    start = end + 1;
  }
}

}  // namespace

std::vector<DiscoveredAgent> parseDiscoveryList(std::string_view list) {
  std::vector<DiscoveredAgent> agents;
  for (const std::string_view piece : split(list, '|')) {
    if (piece.empty()) {
      continue;
    }
    const auto fields = split(piece, ',');
    if (fields.size() < 2) {
      continue;
    }
    agents.push_back({std::string(fields[0]), std::string(fields[1])});
  }
  return agents;
}

}  // namespace device::snmp
