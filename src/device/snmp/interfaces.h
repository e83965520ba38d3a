#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

// The host's IPv4 interface addresses, as discovery needs them. Addresses are
// 32-bit values in host byte order (192.0.2.1 is 0xC0000201).

namespace device::snmp {

struct Ipv4Interface {
  std::string name;
  std::uint32_t address = 0;
  std::uint32_t netmask = 0xFFFFFF00u;
  // The interface's own broadcast address, when it has one.
  std::optional<std::uint32_t> broadcast;
};

// One probe of discovery: the interface address it stands for and the
// broadcast address the request goes to, both as dotted text.
struct ProbeTarget {
  std::string address;
  std::string broadcast;
};

std::string dottedText(std::uint32_t address);
std::optional<std::uint32_t> parseDotted(std::string_view text);

// The address a subnet-wide request goes to: the interface's own broadcast
// address when it has a usable one (not 0.0.0.0, not the address itself,
// inside its network), else the top address of its network
// (address | ~netmask).
std::uint32_t broadcastAddressOf(const Ipv4Interface& interface);

// The probes for a list of interface addresses, in list order. 127.0.0.1 is
// left out (nothing but the host itself is behind it); an address listed
// twice is probed twice.
std::vector<ProbeTarget> probeTargets(const std::vector<Ipv4Interface>& interfaces);

// The host's IPv4 interface addresses in the order the kernel lists them;
// nothing when they cannot be enumerated (reported with perror "getifaddrs").
std::optional<std::vector<Ipv4Interface>> hostIPv4Interfaces();

}  // namespace device::snmp
