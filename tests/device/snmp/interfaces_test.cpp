#include "device/snmp/interfaces.h"

#include <gtest/gtest.h>

#include <optional>
#include <ostream>
#include <string>

namespace device::snmp {
namespace {

Ipv4Interface interfaceOf(const std::string& address, int prefix,
                          std::optional<std::string> broadcast) {
  Ipv4Interface interface;
  interface.name = "eth0";
  interface.address = parseDotted(address).value();
  interface.netmask = prefix == 0 ? 0u : ~0u << (32 - prefix);
  if (broadcast) {
    interface.broadcast = parseDotted(*broadcast).value();
  }
  return interface;
}

struct BroadcastCase {
  const char* name;
  std::string address;
  int prefix;
  std::optional<std::string> broadcast;
  std::string expected;
};

// Names the case in test listings instead of dumping its bytes.
void PrintTo(const BroadcastCase& tested, std::ostream* out) { *out << tested.name; }

class BroadcastAddress : public ::testing::TestWithParam<BroadcastCase> {};

TEST_P(BroadcastAddress, IsTheInterfacesOwn) {
  const BroadcastCase& c = GetParam();
  EXPECT_EQ(dottedText(broadcastAddressOf(interfaceOf(c.address, c.prefix, c.broadcast))),
            c.expected);
}

INSTANTIATE_TEST_SUITE_P(
    Networks, BroadcastAddress,
    ::testing::Values(
        BroadcastCase{"Slash24", "192.0.2.1", 24, "192.0.2.255", "192.0.2.255"},
        BroadcastCase{"Slash25LowerHalf", "192.0.2.1", 25, "192.0.2.127", "192.0.2.127"},
        BroadcastCase{"Slash25UpperHalfWithoutBrd", "192.0.2.129", 25, std::nullopt,
                      "192.0.2.255"},
        BroadcastCase{"Slash23WithoutBrd", "192.0.2.1", 23, std::nullopt, "192.0.3.255"},
        BroadcastCase{"Slash8NotThirdOctet", "10.0.0.7", 8, std::nullopt, "10.255.255.255"},
        BroadcastCase{"ZeroBroadcastMeansNone", "192.0.2.1", 26, "0.0.0.0", "192.0.2.63"},
        BroadcastCase{"BroadcastEqualToTheAddressMeansNone", "192.0.2.129", 26, "192.0.2.129",
                      "192.0.2.191"},
        BroadcastCase{"BroadcastOutsideTheNetworkMeansNone", "192.0.2.1", 25, "192.0.2.255",
                      "192.0.2.127"},
        BroadcastCase{"Slash32IsTheAddressItself", "192.0.2.9", 32, std::nullopt,
                      "192.0.2.9"}),
    [](const auto& tested) { return std::string(tested.param.name); });

TEST(ProbeTargets, LeaveOutOnly127001AndKeepEveryOtherAddressInOrder) {
  const std::vector<Ipv4Interface> interfaces{
      interfaceOf("127.0.0.1", 8, std::nullopt),
      interfaceOf("192.0.2.1", 25, "192.0.2.127"),
      interfaceOf("127.0.1.1", 8, std::nullopt),
      interfaceOf("192.0.2.1", 25, "192.0.2.127"),
  };
  const std::vector<ProbeTarget> targets = probeTargets(interfaces);
  ASSERT_EQ(targets.size(), 3u);
  EXPECT_EQ(targets[0].address, "192.0.2.1");
  EXPECT_EQ(targets[0].broadcast, "192.0.2.127");
  EXPECT_EQ(targets[1].address, "127.0.1.1");
  EXPECT_EQ(targets[1].broadcast, "127.255.255.255");
  EXPECT_EQ(targets[2].address, "192.0.2.1");
}

TEST(DottedText, RoundTrips) {
  EXPECT_EQ(parseDotted("192.0.2.200"), 0xC00002C8u);
  EXPECT_EQ(dottedText(0xC00002C8u), "192.0.2.200");
  EXPECT_FALSE(parseDotted("192.0.2"));
  EXPECT_FALSE(parseDotted("printer.local"));
  EXPECT_FALSE(parseDotted("192.0.2.256"));
}

TEST(HostInterfaces, ListsTheLoopbackAddress) {
  const auto interfaces = hostIPv4Interfaces();
  ASSERT_TRUE(interfaces);
  bool loopback = false;
  for (const Ipv4Interface& interface : *interfaces) {
    loopback = loopback || dottedText(interface.address) == "127.0.0.1";
  }
  EXPECT_TRUE(loopback);
}

}  // namespace
}  // namespace device::snmp
