// Scanner discovery and the model's discovery work item, against snmpd agents
// in network namespaces of this run (TEST-NET-1 only) and the USB simulator.
// Runs under umockdev-wrapper: libusb sees only the simulated bus.
#include <gtest/gtest.h>

#include <QCoreApplication>
#include <QSignalSpy>

#include <memory>
#include <optional>

#include "scanner/scanner_discovery.h"
#include "scanner/scanner_model.h"
#include "sim/net/network_test.h"
#include "sim/snmp/snmp_agent.h"
#include "sim/usb/usb_sim.h"

namespace {

using sim::snmp::AgentConfig;
using sim::snmp::SnmpAgent;

sim::usb::DeviceConfig withIds(std::uint16_t vendor, std::uint16_t product) {
  auto config = sim::usb::ktr6620lxv();
  config.vendorId = vendor;
  config.productId = product;
  return config;
}

struct Shown {
  std::string name, label, type, ip;
  int PID = 0, VID = 0;
  friend bool operator==(const Shown&, const Shown&) = default;
  friend std::ostream& operator<<(std::ostream& out, const Shown& d) {
    return out << d.label << " " << d.type << " " << d.ip << " " << d.PID << " " << d.VID;
  }
};

template <typename List>
std::vector<Shown> shown(const List& devices) {
  std::vector<Shown> out;
  for (const scan::Device& d : devices) out.push_back({d.name, d.label, d.type, d.ip, d.PID, d.VID});
  return out;
}

Shown net(const std::string& ip) { return {"KTR6620LXV", "KTR6620LXV(" + ip + ")", "Net", ip, 52, 0x5A3E}; }
const Shown kUsb{"KTR6620LXV", "KTR6620LXV", "USB", "", 52, 0x5A3E};

scan::DiscoverySettings quickDiscovery() {
  scan::DiscoverySettings settings;
  settings.timing = {std::chrono::milliseconds(125), std::chrono::milliseconds(300)};
  return settings;
}

scan::DiscoverySettings noNetwork() {
  scan::DiscoverySettings settings = quickDiscovery();
  settings.interfaces = [] { return std::optional(std::vector<device::snmp::Ipv4Interface>{}); };
  return settings;
}

class UsbDiscovery : public ::testing::Test {
 protected:
  void SetUp() override {
    if (!bed.active()) GTEST_SKIP() << "needs umockdev: run under umockdev-wrapper";
  }
  sim::usb::Testbed bed;
};

TEST_F(UsbDiscovery, FindsTheModelByVendorAndProductIdAndLogsEveryDevice) {
  bed.addDevice(withIds(0x1D6B, 0x0034));  // another maker, the same product ID
  bed.addDevice(withIds(0x5A3E, 0x0035));  // the maker, another product
  bed.addDevice();
  ::testing::internal::CaptureStdout();
  const auto found = scan::getDeviceByIOUSB();
  const std::string log = ::testing::internal::GetCapturedStdout();
  EXPECT_EQ(shown(found), std::vector<Shown>{kUsb});
  EXPECT_NE(log.find(" find device pid = 52 and vid = 7531\n"), std::string::npos) << log;
  EXPECT_NE(log.find(" find device pid = 53 and vid = 23102\n"), std::string::npos) << log;
  EXPECT_NE(log.find(" find device pid = 52 and vid = 23102\n find brel device  pid = 52 and vid = 23102\n"),
            std::string::npos)
      << log;
}

TEST_F(UsbDiscovery, FailedNetworkSearchStillFindsTheUsbScanner) {
  bed.addDevice();
  scan::DiscoverySettings settings = quickDiscovery();
  settings.interfaces = [] { return std::optional<std::vector<device::snmp::Ipv4Interface>>(); };
  ::testing::internal::CaptureStdout();
  const auto found = scan::getDevicesList(settings);
  const std::string log = ::testing::internal::GetCapturedStdout();
  EXPECT_EQ(shown(found), std::vector<Shown>{kUsb});
  EXPECT_NE(log.find("snmp get printers error\n\n"), std::string::npos) << log;
}

TEST_F(UsbDiscovery, ModelQueuesDiscoveryAndAlertsWhenNothingIsFound) {
  scan::ScannerModelOptions options;
  options.discovery = noNetwork();
  scan::ScannerModel model(options);
  QSignalSpy alert(&model, &scan::ScannerModel::showAlertChanged);
  // Nothing has run yet: the work item waits for the event loop.
  EXPECT_FALSE(model.showAlert());
  ::testing::internal::CaptureStdout();
  QCoreApplication::processEvents();
  ::testing::internal::GetCapturedStdout();
  EXPECT_EQ(alert.count(), 1);
  EXPECT_TRUE(model.showAlert());
  EXPECT_EQ(model.alertTitle(), "error");
  EXPECT_EQ(model.alertMessage(), "noScannerFound");
  EXPECT_TRUE(model.scannerList().isEmpty());
  EXPECT_TRUE(model.selectedScanner().type.empty());
}

TEST_F(UsbDiscovery, RefreshAfterUnplugRebuildsTheList) {
  auto& scanner = bed.addDevice();
  scan::ScannerModelOptions options;
  options.discovery = noNetwork();
  scan::ScannerModel model(options);
  ::testing::internal::CaptureStdout();
  QCoreApplication::processEvents();
  const std::string log = ::testing::internal::GetCapturedStdout();
  EXPECT_EQ(shown(model.scannerList()), std::vector<Shown>{kUsb});
  EXPECT_EQ(model.selectedScanner(), model.scannerList().front());
  EXPECT_NE(log.find("find scanner , ip = \n"), std::string::npos) << log;

  scanner.unplug();
  model.setScannerList({});
  model.autoDetectScanners();
  ::testing::internal::CaptureStdout();
  QCoreApplication::processEvents();
  ::testing::internal::GetCapturedStdout();
  EXPECT_TRUE(model.scannerList().isEmpty());
  EXPECT_EQ(model.alertMessage(), "noScannerFound");
  // The last scanner found stays selected.
  EXPECT_EQ(shown(std::vector<scan::Device>{model.selectedScanner()}), std::vector<Shown>{kUsb});
}

// Agents in namespaces of their own on one segment with the client.
class NetworkDiscovery : public sim::net::NetworkTest {
 protected:
  void SetUp() override {
    if (!bed.active()) GTEST_SKIP() << "needs umockdev: run under umockdev-wrapper";
    NetworkTest::SetUp();
    if (IsSkipped()) return;
    lan_ = clientSegment();
  }

  void addAgent(const std::string& cidr, const std::string& sysObjectId = sim::snmp::printerSysObjectId) {
    AgentConfig config;
    config.sysObjectId = sysObjectId;
    agents_.push_back(sim::snmp::startAgentOn(*network_, lan_, cidr, "a" + std::to_string(agents_.size()), config));
  }

  sim::usb::Testbed bed;
  std::string lan_;
  std::vector<std::unique_ptr<SnmpAgent>> agents_;  // stopped before the network goes
};

TEST_F(NetworkDiscovery, ListsNetworkScannersFirstThenUsbScanners) {
  addAgent("192.0.2.11/24");
  addAgent("192.0.2.12/24", ".1.3.6.1.4.1.48117.4.7.1.8.2");  // the model's text with an arc behind it
  addAgent("192.0.2.14/24", sim::snmp::otherVendorSysObjectId);
  bed.addDevice();
  bed.addDevice(withIds(0x5A3E, 0x0035));

  const sim::net::ThreadInNamespace inside(client_);
  ::testing::internal::CaptureStdout();
  auto found = scan::getDevicesList(quickDiscovery());
  const std::string log = ::testing::internal::GetCapturedStdout();
  ASSERT_EQ(found.size(), 3u) << log;
  // The agents answer in any order; the network entries come first.
  auto networkEntries = shown(std::vector<scan::Device>(found.begin(), found.begin() + 2));
  std::sort(networkEntries.begin(), networkEntries.end(), [](const Shown& a, const Shown& b) { return a.ip < b.ip; });
  EXPECT_EQ(networkEntries, (std::vector<Shown>{net("192.0.2.11"), net("192.0.2.12")}));
  EXPECT_EQ(shown(std::vector<scan::Device>{found[2]}), std::vector<Shown>{kUsb});
  EXPECT_NE(log.find("swift snmp printerList : 192.0.2.1"), std::string::npos) << log;
}

TEST_F(NetworkDiscovery, ModelSelectsTheFirstNetworkScanner) {
  addAgent("192.0.2.11/24");
  bed.addDevice();
  scan::ScannerModelOptions options;
  options.discovery = quickDiscovery();
  const sim::net::ThreadInNamespace inside(client_);
  scan::ScannerModel model(options);
  QSignalSpy list(&model, &scan::ScannerModel::scannerListChanged);
  QSignalSpy selected(&model, &scan::ScannerModel::selectedScannerChanged);
  ::testing::internal::CaptureStdout();
  QCoreApplication::processEvents();
  const std::string log = ::testing::internal::GetCapturedStdout();
  EXPECT_EQ(shown(model.scannerList()), (std::vector<Shown>{net("192.0.2.11"), kUsb}));
  EXPECT_EQ(model.selectedScanner(), model.scannerList().front());
  EXPECT_EQ(list.count(), 1);
  EXPECT_EQ(selected.count(), 1);
  EXPECT_FALSE(model.showAlert());
  EXPECT_NE(log.find("find scanner , ip = 192.0.2.11\n"), std::string::npos) << log;
}

}  // namespace
