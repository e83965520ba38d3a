// The whole application, offscreen, against the simulated scanners as it
// finds them: a network scanner on a private network (an snmpd agent
// answering the broadcast at 192.0.2.11 and the scanner simulator on
// 192.0.2.11:54321, in network namespaces of this run) and a USB scanner on
// the umockdev bus. The GUI thread works in the client's namespace, so
// nothing is broadcast on the machine's own interfaces.
#include <gtest/gtest.h>

#include <QPushButton>
#include <QTest>
#include <chrono>
#include <filesystem>
#include <memory>
#include <optional>
#include <string>

#include "desktop/alert.h"
#include "scan/message_keys.h"
#include "sim/net/test_network.h"
#include "sim/scanner/scanner_sim.h"
#include "sim/snmp/snmp_agent.h"
#include "sim/usb/scanner.h"
#include "temp_dir.h"
#include "window_support.h"

namespace {

using namespace wintest;
using namespace std::chrono_literals;
using scanner_app::ContentView;
using sim::net::TestNetwork;
namespace fs = std::filesystem;

const std::string kScannerAddress = "192.0.2.11";
const QString kNetworkLabel = QStringLiteral("KTR6620LXV(192.0.2.11)");
const QString kUsbLabel = QStringLiteral("KTR6620LXV");

std::shared_ptr<const Bytes> shared(Bytes bytes) { return std::make_shared<const Bytes>(std::move(bytes)); }

sim::usb::ScannerScript usbPages(int count) {
  std::vector<std::shared_ptr<const Bytes>> pages;
  for (int page = 1; page <= count; ++page) pages.push_back(shared(jpegPage(page)));
  sim::usb::ScannerScript script;
  script.stream = sim::usb::pagesThenEnd(pages);
  return script;
}

sim::scanner::Script networkPages(int count) {
  sim::scanner::Script script;
  for (int page = 1; page <= count; ++page) script.pages.push_back(jpegPage(page));
  return script;
}

class WholeApp : public ::testing::Test {
 protected:
  // One private network for the suite: the client's namespace and the
  // scanner's, with its SNMP agent.
  static void SetUpTestSuite() {
    unavailable = TestNetwork::unavailableReason();
    if (unavailable) return;
    network = std::make_unique<TestNetwork>();
    const std::string lan = network->addSegment();
    client = network->addHost("cli");
    network->attach(client, lan, "eth0", "192.0.2.1/24");
    scannerHost = network->addHost("scanner");
    network->attach(scannerHost, lan, "eth0", kScannerAddress + "/24");
    agent = std::make_unique<sim::snmp::SnmpAgent>(sim::snmp::AgentConfig{}, "udp:161", kScannerAddress, scannerHost);
  }
  static void TearDownTestSuite() {
    agent.reset();
    network.reset();
  }

  void SetUp() override {
    if (unavailable) GTEST_SKIP() << *unavailable;
    if (!bus.active()) GTEST_SKIP() << "needs umockdev: run under umockdev-wrapper";
    inClient.emplace(client);
  }

  // The scanners as the user meets them: the network scanner scripted by
  // `network`, the USB scanner by `usb`; the window open and its first
  // discovery done.
  void start(sim::scanner::Script networkScript, sim::usb::ScannerScript usbScript) {
    sim::net::runInNamespace(scannerHost, [&] {
      networkScanner = std::make_unique<sim::scanner::ScannerSim>(std::move(networkScript), kScannerAddress);
    });
    usbScanner = std::make_unique<sim::usb::Scanner>(bus.addDevice(sim::usb::ktr6620lxvScanner()), std::move(usbScript));
    scanner_app::ScreenOptions options = screenOptions();
    options.model.discovery.interfaces = device::snmp::hostIPv4Interfaces;
    options.model.discovery.timing = {125ms, 300ms};
    window = std::make_unique<ContentView>(std::move(options));
    window->settingView().state().setSaveDir(QString::fromStdString(save.str()));
    window->show();
    ASSERT_TRUE(waitFor([&] { return scannerPicker()->count() == 2 && window->settingView().isEnabled(); }))
        << "discovery found " << scannerPicker()->count() << " scanners";
  }

  QComboBox* scannerPicker() const { return control<QComboBox>(*window, "scannerPicker"); }
  scan::ScannerModel& model() const { return window->settingView().model(); }

  std::pair<std::string, std::string> scan() {
    QTest::mouseClick(control<QPushButton>(*window, "scanButton"), Qt::LeftButton);
    if (!waitFor([&] { return shownAlert(*window) != nullptr; })) return {"(no alert)", ""};
    return {shownAlert(*window)->title().toStdString(), shownAlert(*window)->message().toStdString()};
  }

  std::pair<std::string, std::string> scanned(int pages) const {
    return {text(scan::keys::kInfo), text(scan::keys::kScanPages) + std::to_string(pages) + " " + text(scan::keys::kPages)};
  }

  static inline std::optional<std::string> unavailable;
  static inline std::unique_ptr<TestNetwork> network;
  static inline std::string client;
  static inline std::string scannerHost;
  static inline std::unique_ptr<sim::snmp::SnmpAgent> agent;

  sim::usb::Testbed bus;
  std::optional<sim::net::ThreadInNamespace> inClient;
  test_support::TempDir save;
  std::unique_ptr<sim::scanner::ScannerSim> networkScanner;
  std::unique_ptr<sim::usb::Scanner> usbScanner;
  std::unique_ptr<ContentView> window;
};

TEST_F(WholeApp, DiscoveryListsTheNetworkScannerFirstAndStandsOnIt) {
  start(networkPages(1), usbPages(1));
  EXPECT_EQ(scannerPicker()->itemText(0), kNetworkLabel);
  EXPECT_EQ(scannerPicker()->itemText(1), kUsbLabel);
  EXPECT_EQ(scannerPicker()->currentIndex(), 0);
  EXPECT_EQ(model().selectedScanner().ip, kScannerAddress);
  EXPECT_EQ(shownAlert(*window), nullptr);
}

TEST_F(WholeApp, ScansOverTheNetwork) {
  start(networkPages(3), usbPages(1));
  EXPECT_EQ(scan(), scanned(3));
  for (const char* name : {"file-0001.jpg", "file-0002.jpg", "file-0003.jpg"}) {
    EXPECT_TRUE(fs::is_regular_file(save.path() / kStamp / name)) << name;
  }
  EXPECT_EQ(networkScanner->finish().connections, 1);
}

TEST_F(WholeApp, ScansOverUsb) {
  start(networkPages(1), usbPages(2));
  choose(scannerPicker(), 1);
  EXPECT_EQ(scan(), scanned(2));
  EXPECT_EQ(model().selectedScanner().type, scan::kTypeUsb);
  for (const char* name : {"file-0001.jpg", "file-0002.jpg"}) {
    EXPECT_TRUE(fs::is_regular_file(save.path() / kStamp / name)) << name;
  }
}

TEST_F(WholeApp, UsbPaperJamShowsTheDevicesKey) {
  sim::usb::ScannerScript script = usbPages(1);
  script.stream.insert(script.stream.end() - 1, sim::usb::StreamItem::status(0xC3));
  start(networkPages(1), std::move(script));
  choose(scannerPicker(), 1);
  EXPECT_EQ(scan(), std::pair(text(scan::keys::kError), text("paperJunck")));
  EXPECT_TRUE(save.entries().empty());
}

TEST_F(WholeApp, RefreshEmptiesThePickerAndFindsTheScannersAgain) {
  start(networkPages(1), usbPages(1));
  choose(scannerPicker(), 1);
  QTest::mouseClick(control<QPushButton>(*window, "refreshButton"), Qt::LeftButton);
  EXPECT_EQ(scannerPicker()->count(), 0);
  EXPECT_EQ(window->settingView().state().scannerIndex(), 0);
  ASSERT_TRUE(waitFor([&] { return scannerPicker()->count() == 2 && window->settingView().isEnabled(); }));
  EXPECT_EQ(scannerPicker()->currentIndex(), 0);
  EXPECT_EQ(scannerPicker()->itemText(0), kNetworkLabel);
}

}  // namespace
