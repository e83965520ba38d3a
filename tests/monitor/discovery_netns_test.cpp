// Finding network printers by broadcast, and polling them, in private
// network namespaces of this run (TEST-NET-1 addresses only): the model's
// SNMP calls run on a thread that has entered the client's namespace.
#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <vector>

#include "device/snmp/discovery_list.h"
#include "device/snmp/snmputil.h"
#include "device/usb/stdout_capture.h"
#include "monitor/printer_model.h"
#include "monitor_fixture.h"
#include "sim/net/network_test.h"
#include "sim/snmp/snmp_agent.h"
#include "snmp_fixture.h"

namespace {

using monitor::PrinterModel;
using namespace monitor_test;
using sim::snmp::AgentConfig;
using sim::snmp::SnmpAgent;

class NetworkDiscovery : public sim::net::NetworkTest {
 protected:
  void SetUp() override {
    NetworkTest::SetUp();
    if (IsSkipped()) {
      return;
    }
    lan_ = clientSegment();

    // Only the network is under test here: the machine's own USB bus is
    // left alone.
    sim.devices.listUsbDevices = [] { return std::vector<device::usb::AttachedDevice>{}; };
    sim.devices.snmpDiscover = [this](std::string& list) {
      const auto discover = monitor::snmpDiscovery(device::snmp::hostIPv4Interfaces, timing_);
      long result = -2;
      sim::net::runInNamespace(client_, [&] { result = discover(list); });
      return result;
    };
    const auto get = monitor::snmpStatusGet();
    sim.devices.snmpGet = [this, get](std::string_view ip, std::string_view oid, std::size_t size) {
      std::string value;
      sim::net::runInNamespace(client_, [&] { value = get(ip, oid, size); });
      return value;
    };
  }

  void addAgent(const std::string& cidr, const AgentConfig& config) {
    agents_.push_back(sim::snmp::startAgentOn(*network_, lan_, cidr, "a" + std::to_string(agents_.size()), config));
  }

  // A short listening window; tests that need the library's repeats
  // (1 s apart) give a longer one.
  device::snmp::DiscoveryTiming timing_{std::chrono::milliseconds(125), std::chrono::milliseconds(300)};
  std::string lan_;
  std::vector<std::unique_ptr<SnmpAgent>> agents_;  // stopped before the network goes
  SimDevices sim{std::chrono::seconds(60)};
};

TEST_F(NetworkDiscovery, ListsThePrintersThatAnsweredInListOrderAndReadsTheFirst) {
  AgentConfig sleeping;
  sleeping.objects = printerObjects("2009,sleep", "77");
  addAgent("192.0.2.11/24", sleeping);
  AgentConfig otherVendor;
  otherVendor.sysObjectId = sim::snmp::otherVendorSysObjectId;
  addAgent("192.0.2.12/24", otherVendor);
  // An identifier that goes on after the model's fragment still contains it.
  AgentConfig longerIdentifier;
  longerIdentifier.sysObjectId = ".1.3.6.1.4.1.48117.4.7.1.85";
  longerIdentifier.objects = printerObjects("3030,toner low", "33");
  addAgent("192.0.2.13/24", longerIdentifier);

  StdoutCapture capture;
  const PrinterModel model(sim.devices);

  std::string list;
  for (const std::string& line : capture.lines()) {
    if (line.starts_with("swift snmp printerList : ")) list = line.substr(25);
  }
  std::vector<std::string> printersInList;
  for (const auto& agent : device::snmp::parseDiscoveryList(list)) {
    if (agent.address != "192.0.2.12") printersInList.push_back(agent.address);
  }
  ASSERT_EQ(printersInList.size(), 2u) << list;

  ASSERT_EQ(model.printerList().size(), 2);
  for (int i = 0; i < 2; ++i) {
    const monitor::Printer& printer = model.printerList()[i];
    const std::string& address = printersInList[static_cast<std::size_t>(i)];
    EXPECT_EQ(printer.ip.toStdString(), address);
    EXPECT_EQ(printer.label.toStdString(), "KTR6620LXV(" + address + ")");
    EXPECT_EQ(printer.type, "Net");
    EXPECT_EQ(printer.PID, 52);
    EXPECT_EQ(printer.VID, 23102);
  }
  EXPECT_EQ(model.selectedPrinter(), model.printerList()[0]);
  const bool firstSleeps = printersInList[0] == "192.0.2.11";
  EXPECT_EQ(model.statusInfo().message.toStdString(), firstSleeps ? "休眠" : "墨粉已不多");
  EXPECT_EQ(model.statusInfo().toner, firstSleeps ? 77 : 33);
}

// A broadcast is sent without acknowledgement; the request repeated
// within the window still finds a printer whose first request was lost,
// and the window shows it instead of "no device connected".
TEST_F(NetworkDiscovery, ThePrinterWhoseFirstRequestWasLostIsStillFoundAndRead) {
  AgentConfig ready;
  ready.objects = printerObjects("1,ready", "64");
  addAgent("192.0.2.11/24", ready);
  agents_.front()->loseNextRequest();
  timing_ = {std::chrono::milliseconds(125), std::chrono::milliseconds(1000)};

  const PrinterModel model(sim.devices);

  EXPECT_TRUE(agents_.front()->lostARequest());
  ASSERT_EQ(model.printerList().size(), 1);
  EXPECT_EQ(model.printerList()[0].ip, "192.0.2.11");
  EXPECT_EQ(model.selectedPrinter(), model.printerList()[0]);
  EXPECT_EQ(model.statusInfo().level, 1);
  EXPECT_EQ(model.statusInfo().toner, 64);
}

}  // namespace
