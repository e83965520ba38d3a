// Reading the discovery list: "address,sysObjectID|" per answer.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "device/snmp/discovery_list.h"

namespace {

using device::snmp::DiscoveredAgent;
using device::snmp::parseDiscoveryList;

struct ListCase {
  const char* name;
  std::string list;
  std::vector<std::pair<std::string, std::string>> agents;
};

class DiscoveryList : public ::testing::TestWithParam<ListCase> {};

TEST_P(DiscoveryList, GivesTheEntriesInListOrder) {
  std::vector<std::pair<std::string, std::string>> got;
  for (const DiscoveredAgent& agent : parseDiscoveryList(GetParam().list)) {
    got.emplace_back(agent.address, agent.objectId);
  }
  EXPECT_EQ(got, GetParam().agents);
}

INSTANTIATE_TEST_SUITE_P(
    Cases, DiscoveryList,
    ::testing::Values(
        ListCase{"Empty", "", {}},
        ListCase{"OneEntry",
                 "192.0.2.11,OID: iso.3.6.1.4.1.48117.4.7.1.8|",
                 {{"192.0.2.11", "OID: iso.3.6.1.4.1.48117.4.7.1.8"}}},
        ListCase{"TwoEntriesKeepTheirOrder",
                 "192.0.2.12,.1.3.6.1.4.1.8072.3.2.10|192.0.2.11,.1.3.6.1.4.1.48117.4.7.1.8|",
                 {{"192.0.2.12", ".1.3.6.1.4.1.8072.3.2.10"}, {"192.0.2.11", ".1.3.6.1.4.1.48117.4.7.1.8"}}},
        ListCase{"EmptyPiecesAndPiecesWithoutCommaAreSkipped",
                 "||192.0.2.9|192.0.2.11,x||",
                 {{"192.0.2.11", "x"}}},
        ListCase{"NoFinalBar", "192.0.2.11,x", {{"192.0.2.11", "x"}}},
        ListCase{"FieldsBeyondTheSecondAreIgnored", "192.0.2.11,x,y|", {{"192.0.2.11", "x"}}},
        ListCase{"EmptyFieldsStayEmpty", ",|192.0.2.11,|", {{"", ""}, {"192.0.2.11", ""}}},
        ListCase{"TheSameAddressTwiceGivesTwoEntries", "192.0.2.11,x|192.0.2.11,x|",
                 {{"192.0.2.11", "x"}, {"192.0.2.11", "x"}}}),
    [](const auto& param) { return std::string(param.param.name); });

}  // namespace
