// Discovery paths that send nothing: no interface list, only 127.0.0.1.

#include <gtest/gtest.h>

#include "device/snmp/snmputil.h"

namespace device::snmp {
namespace {

TEST(DiscoveryWithoutNetwork, InterfacesThatCannotBeListedGiveMinusOneAndNoEntries) {
  std::string out = "kept|";
  EXPECT_EQ(autoDetectSNMPPrinters(out, [] { return std::optional<std::vector<Ipv4Interface>>(); }),
            -1);
  EXPECT_EQ(out, "kept|");
}

TEST(DiscoveryWithoutNetwork, HostWithOnly127001ProbesNothing) {
  ::testing::internal::CaptureStdout();
  std::string out;
  const long result = autoDetectSNMPPrinters(out, [] {
    Ipv4Interface loopback;
    loopback.name = "lo";
    loopback.address = 0x7F000001u;
    loopback.netmask = 0xFF000000u;
    return std::optional<std::vector<Ipv4Interface>>(std::vector{loopback});
  });
  const std::string log = ::testing::internal::GetCapturedStdout();
  EXPECT_EQ(result, 0);
  EXPECT_EQ(out, "");
  EXPECT_EQ(log.find("brocast sub net ip"), std::string::npos) << log;
}

}  // namespace
}  // namespace device::snmp
