// Discovery by subnet broadcast against real snmpd agents in network
// namespaces of this run (TEST-NET-1 addresses only). The client runs on a
// thread that has entered the client's namespace.

#include <gtest/gtest.h>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <map>
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "device/snmp/discovery_list.h"
#include "device/snmp/snmputil.h"
#include "sim/snmp/snmp_agent.h"
#include "sim/net/network_test.h"

namespace device::snmp {
namespace {

using sim::snmp::AgentConfig;
using sim::snmp::SnmpAgent;

const std::string printerOidText = "iso.3.6.1.4.1.48117.4.7.1.8";
const std::string otherVendorOidText = "iso.3.6.1.4.1.8072.3.2.10";

struct Entry {
  std::string address;
  std::string oid;
  bool operator==(const Entry&) const = default;
  auto operator<=>(const Entry&) const = default;
};

// The list's entries; the list must be nothing but "address,oid|" entries.
std::vector<Entry> entriesOf(const std::string& list) {
  std::vector<Entry> entries;
  std::string rebuilt;
  for (const DiscoveredAgent& agent : parseDiscoveryList(list)) {
    entries.push_back({agent.address, agent.objectId});
    rebuilt += agent.address + "," + agent.objectId + "|";
  }
  EXPECT_EQ(rebuilt, list) << "not a list of \"address,oid|\" entries";
  return entries;
}

std::vector<Entry> sorted(std::vector<Entry> entries) {
  std::sort(entries.begin(), entries.end());
  return entries;
}

std::size_t occurrences(const std::string& text, const std::string& needle) {
  std::size_t count = 0;
  for (std::size_t at = text.find(needle); at != std::string::npos; at = text.find(needle, at + 1)) {
    ++count;
  }
  return count;
}

// The addresses the log says it dropped as already handled, one per line.
std::vector<std::string> handledAddresses(const std::string& log) {
  std::vector<std::string> addresses;
  const std::string before = "ip ";
  const std::string after = "  is already handled!";
  for (std::size_t end = log.find(after); end != std::string::npos; end = log.find(after, end + 1)) {
    const std::size_t start = log.rfind(before, end);
    addresses.push_back(start == std::string::npos ? "?" : log.substr(start + before.size(), end - start - before.size()));
  }
  return addresses;
}

struct DiscoveryRun {
  long result = -2;
  std::string list;
  std::string log;
  std::chrono::steady_clock::duration took{};
};

class BroadcastDiscovery : public sim::net::NetworkTest {
 protected:
  // An agent in a namespace of its own, attached to `segment` at `cidr`.
  void addAgent(const std::string& segment, const std::string& cidr,
                const AgentConfig& config = {}) {
    agents_.push_back(
        sim::snmp::startAgentOn(*network_, segment, cidr, "a" + std::to_string(agents_.size()), config));
  }

  DiscoveryRun discover(const InterfaceSource& interfaces, const DiscoveryTiming& timing) {
    DiscoveryRun run;
    ::testing::internal::CaptureStdout();
    try {
      sim::net::runInNamespace(client_, [&] {
        const auto start = std::chrono::steady_clock::now();
        run.result = autoDetectSNMPPrinters(run.list, interfaces, timing);
        run.took = std::chrono::steady_clock::now() - start;
        std::fflush(stdout);
      });
    } catch (const std::exception& failure) {
      ADD_FAILURE() << failure.what();
    }
    run.log = ::testing::internal::GetCapturedStdout();
    return run;
  }

  // An agent whose two interfaces on `segment` hold the same address: every
  // broadcast reaches it twice, and it answers each copy from that address.
  void addAgentOnTwoPorts(const std::string& segment, const std::string& cidr) {
    const std::string host = network_->addHost("a" + std::to_string(agents_.size()));
    network_->attach(host, segment, "eth0", cidr);
    network_->attach(host, segment, "eth1", cidr);
    agents_.push_back(std::make_unique<SnmpAgent>(AgentConfig{}, "udp:161", cidr.substr(0, cidr.find('/')), host));
  }

  std::vector<std::unique_ptr<SnmpAgent>> agents_;  // stopped before the network goes
};

// Interfaces of the namespace the source is called in, by name or by
// address, in the order given (a key given twice is listed twice; a name
// stands for every address of that interface).
InterfaceSource onlyInterfaces(std::vector<std::string> keys) {
  return [keys] {
    const auto host = hostIPv4Interfaces();
    std::vector<Ipv4Interface> chosen;
    for (const std::string& key : keys) {
      for (const Ipv4Interface& interface : host.value()) {
        if (interface.name == key || dottedText(interface.address) == key) {
          chosen.push_back(interface);
        }
      }
    }
    return std::optional(chosen);
  };
}

TEST_F(BroadcastDiscovery, ListsEveryDeviceWithAnIdentifierOnceAndSkipsNoSuchObject) {
  const std::string lan = network_->addSegment();
  network_->attach(client_, lan, "eth0", "192.0.2.1/24");
  addAgent(lan, "192.0.2.11/24");
  addAgent(lan, "192.0.2.12/24");
  addAgentOnTwoPorts(lan, "192.0.2.13/24");
  AgentConfig otherVendor;
  otherVendor.sysObjectId = sim::snmp::otherVendorSysObjectId;
  addAgent(lan, "192.0.2.14/24", otherVendor);
  AgentConfig noIdentifier;
  noIdentifier.hideSysObjectId = true;
  addAgent(lan, "192.0.2.15/24", noIdentifier);

  const DiscoveryRun run = discover(hostIPv4Interfaces, {std::chrono::milliseconds(125),
                                                         std::chrono::milliseconds(300)});

  EXPECT_EQ(run.result, 0);
  EXPECT_EQ(sorted(entriesOf(run.list)), (std::vector<Entry>{
                                             {"192.0.2.11", printerOidText},
                                             {"192.0.2.12", printerOidText},
                                             {"192.0.2.13", printerOidText},
                                             {"192.0.2.14", otherVendorOidText},
                                         }))
      << run.list;
  // The agent on two ports answers each request twice; only answers of
  // listed devices are dropped as duplicates (a repeated request, should
  // the library send one within the window, brings more of them).
  EXPECT_GE(occurrences(run.log, "ip 192.0.2.13  is already handled!"), 1u) << run.log;
  for (const std::string& address : handledAddresses(run.log)) {
    EXPECT_NE(run.list.find(address + ","), std::string::npos) << address << " dropped, not listed";
  }
  EXPECT_EQ(occurrences(run.log, "one ip of computer address : "), 1u) << run.log;
  EXPECT_NE(run.log.find("one ip of computer address : 192.0.2.1\n"), std::string::npos);
  EXPECT_NE(run.log.find("brocast sub net ip = 192.0.2.255\n"), std::string::npos);
  EXPECT_NE(run.log.find("    loop=0\n"), std::string::npos);
  EXPECT_NE(run.log.find("    loop=1\n"), std::string::npos);
}

TEST_F(BroadcastDiscovery, ListensToAllSubnetsInOneWindowAndRepeatsEachRequestWithinIt) {
  // Two of the client's addresses are on the printers' network, the third
  // on a network where nothing answers. Each probe's answers stay together,
  // in the order of the addresses.
  const std::string printers = network_->addSegment();
  const std::string empty = network_->addSegment();
  network_->attach(client_, printers, "eth0", "192.0.2.1/25");
  network_->addAddress(client_, "eth0", "192.0.2.2/25");
  network_->attach(client_, empty, "eth1", "192.0.2.129/25");
  addAgent(printers, "192.0.2.11/25");
  addAgent(printers, "192.0.2.12/25");
  std::vector<long> before;
  for (const auto& agent : agents_) before.push_back(agent->messagesReceived());

  std::vector<int> passes;
  // A window of 2.25 s: the library's 1 s time-out sends each request
  // again at 1 s and at 2 s.
  const DiscoveryTiming timing{std::chrono::milliseconds(125), std::chrono::milliseconds(1000),
                               [&passes](int pass) { passes.push_back(pass); }};
  const auto window = 2 * (timing.firstWait + timing.pause);
  const DiscoveryRun run = discover(onlyInterfaces({"192.0.2.2", "192.0.2.129", "192.0.2.1"}), timing);

  EXPECT_EQ(run.result, 0);
  EXPECT_EQ(passes, (std::vector<int>{0, 1}));
  // One window for the three addresses, not one after another (6.75 s).
  EXPECT_GE(run.took, window);
  EXPECT_LT(run.took, 2 * window) << "the subnets were listened to one after another";
  const std::vector<Entry> entries = entriesOf(run.list);
  const std::vector<Entry> both{{"192.0.2.11", printerOidText}, {"192.0.2.12", printerOidText}};
  ASSERT_EQ(entries.size(), 4u) << run.list;
  EXPECT_EQ(sorted({entries[0], entries[1]}), both) << run.list;
  EXPECT_EQ(sorted({entries[2], entries[3]}), both) << run.list;
  for (std::size_t i = 0; i < agents_.size(); ++i) {
    // Both probes that reach the agent sent their request and repeated it
    // at least once (however late the loop ran), at most at each time-out
    // the window holds; the count's own request is the one more.
    const long requests = agents_[i]->messagesReceived() - before[i] - 1;
    EXPECT_GE(requests, 2 * 2) << "agent " << i;
    EXPECT_LE(requests, 2 * 3) << "agent " << i;
  }
  // Every request goes out before the listening starts, and each probe
  // still logs its two passes.
  EXPECT_EQ(occurrences(run.log, "    loop=0\n"), 3u) << run.log;
  EXPECT_EQ(occurrences(run.log, "    loop=1\n"), 3u) << run.log;
  EXPECT_LT(run.log.rfind("brocast sub net ip = "), run.log.find("    loop=0\n")) << run.log;
  // The answers to the repeats are dropped, each probe's on its own: at
  // least those to the first repeat, from both agents to both probes.
  const std::vector<std::string> handled = handledAddresses(run.log);
  EXPECT_GE(handled.size(), 2u * 2u) << run.log;
  for (const std::string& address : handled) {
    EXPECT_TRUE(address == "192.0.2.11" || address == "192.0.2.12") << address;
  }
}

TEST_F(BroadcastDiscovery, ProbesEachInterfaceAtItsOwnSubnetBroadcastInInterfaceOrder) {
  // Three subnets of TEST-NET-1: only the last has x.y.z.255 as broadcast,
  // and nobody answers there.
  const std::string lowerHalf = network_->addSegment();
  const std::string thirdQuarter = network_->addSegment();
  const std::string lastQuarter = network_->addSegment();
  network_->attach(client_, lowerHalf, "eth0", "192.0.2.1/25");
  network_->attach(client_, thirdQuarter, "eth1", "192.0.2.129/26", /*withBroadcast=*/false);
  network_->attach(client_, lastQuarter, "eth2", "192.0.2.193/26");
  addAgent(lowerHalf, "192.0.2.11/25");
  addAgent(thirdQuarter, "192.0.2.140/26");

  const DiscoveryRun run = discover(hostIPv4Interfaces, {std::chrono::milliseconds(125),
                                                         std::chrono::milliseconds(300)});

  EXPECT_EQ(run.result, 0);
  EXPECT_EQ(run.list, "192.0.2.11," + printerOidText + "|192.0.2.140," + printerOidText + "|");
  const std::size_t first = run.log.find("brocast sub net ip = 192.0.2.127\n");
  const std::size_t second = run.log.find("brocast sub net ip = 192.0.2.191\n");
  const std::size_t third = run.log.find("brocast sub net ip = 192.0.2.255\n");
  EXPECT_NE(first, std::string::npos) << run.log;
  EXPECT_NE(second, std::string::npos) << run.log;
  EXPECT_NE(third, std::string::npos) << run.log;
  EXPECT_LT(first, second);
  EXPECT_LT(second, third);
}

TEST_F(BroadcastDiscovery, ProbesOnlyTheGivenInterfacesAndEachListedAddressOnce) {
  // No loopback in the list; the same address twice is two probes, and a
  // device answering both is listed for each.
  const std::string lan = network_->addSegment();
  network_->attach(client_, lan, "eth0", "192.0.2.1/24");
  addAgent(lan, "192.0.2.11/24");
  addAgent(lan, "192.0.2.12/24");

  const DiscoveryRun run = discover(onlyInterfaces({"eth0", "eth0"}),
                                    {std::chrono::milliseconds(125), std::chrono::milliseconds(300)});

  EXPECT_EQ(run.result, 0);
  const std::vector<Entry> entries = entriesOf(run.list);
  ASSERT_EQ(entries.size(), 4u) << run.list;
  EXPECT_EQ(sorted({entries[0], entries[1]}), sorted({entries[2], entries[3]}));
  EXPECT_EQ(sorted({entries[0], entries[1]}),
            (std::vector<Entry>{{"192.0.2.11", printerOidText}, {"192.0.2.12", printerOidText}}));
  EXPECT_EQ(occurrences(run.log, "one ip of computer address : 192.0.2.1\n"), 2u) << run.log;
  EXPECT_EQ(occurrences(run.log, "one ip of computer address : "), 2u) << run.log;
}

}  // namespace
}  // namespace device::snmp
