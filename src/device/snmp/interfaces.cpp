#include "device/snmp/interfaces.h"

#include <arpa/inet.h>
#include <ifaddrs.h>
#include <net/if.h>
#include <netinet/in.h>

#include <array>
#include <cstdio>
#include <cstring>
#include <memory>

namespace device::snmp {
namespace {

std::uint32_t hostOrder(const sockaddr* address) {
  sockaddr_in in{};
  // An AF_INET entry holds a whole sockaddr_in, not necessarily aligned as
  // one: copy it, don't cast.
  std::memcpy(&in, address, sizeof in);
  return ntohl(in.sin_addr.s_addr);
}

bool isIpv4(const sockaddr* address) {
  return address != nullptr && address->sa_family == AF_INET;
}

}  // namespace

std::string dottedText(std::uint32_t address) {
  in_addr in{};
  in.s_addr = htonl(address);
  std::array<char, INET_ADDRSTRLEN> text{};
  ::inet_ntop(AF_INET, &in, text.data(), static_cast<socklen_t>(text.size()));
  return text.data();
}

std::optional<std::uint32_t> parseDotted(std::string_view text) {
  const std::string copy(text);
  in_addr in{};
  if (::inet_pton(AF_INET, copy.c_str(), &in) != 1) {
    return std::nullopt;
  }
  return ntohl(in.s_addr);
}

std::uint32_t broadcastAddressOf(const Ipv4Interface& interface) {
  // An address configured without "brd" has no broadcast address of its
  // own: the enumeration then reports 0.0.0.0 or the address itself, while
  // the kernel still routes the network's top address as its broadcast.
  if (interface.broadcast) {
    const std::uint32_t broadcast = *interface.broadcast;
    const bool inNetwork = (broadcast & interface.netmask) == (interface.address & interface.netmask);
    if (broadcast != 0 && broadcast != interface.address && inNetwork) {
      return broadcast;
    }
  }
  return interface.address | ~interface.netmask;
}

std::vector<ProbeTarget> probeTargets(const std::vector<Ipv4Interface>& interfaces) {
  std::vector<ProbeTarget> targets;
  for (const Ipv4Interface& interface : interfaces) {
    std::string address = dottedText(interface.address);
    if (address == "127.0.0.1") {
      continue;
    }
    targets.push_back({std::move(address), dottedText(broadcastAddressOf(interface))});
  }
  return targets;
}

std::optional<std::vector<Ipv4Interface>> hostIPv4Interfaces() {
  ifaddrs* list = nullptr;
  if (::getifaddrs(&list) != 0) {
    std::perror("getifaddrs");
    return std::nullopt;
  }
  const std::unique_ptr<ifaddrs, decltype(&::freeifaddrs)> owner(list, &::freeifaddrs);
  std::vector<Ipv4Interface> interfaces;
  for (const ifaddrs* entry = list; entry != nullptr; entry = entry->ifa_next) {
    if (!isIpv4(entry->ifa_addr)) {
      continue;
    }
    Ipv4Interface interface;
    interface.name = entry->ifa_name != nullptr ? entry->ifa_name : "";
    interface.address = hostOrder(entry->ifa_addr);
    if (isIpv4(entry->ifa_netmask)) {
      interface.netmask = hostOrder(entry->ifa_netmask);
    }
    // ifa_broadaddr shares its storage with the point-to-point peer address:
    // it is a broadcast address only when the interface says so.
    if ((entry->ifa_flags & IFF_BROADCAST) != 0 && isIpv4(entry->ifa_broadaddr)) {
      interface.broadcast = hostOrder(entry->ifa_broadaddr);
    }
    interfaces.push_back(std::move(interface));
  }
  return interfaces;
}

}  // namespace device::snmp
