// Whole USB scans as the scanner application makes them: the model finds the
// simulated scanner by discovery, and each scan goes from the dialog's
// choices to files on disk and the result alert.
#include <gtest/gtest.h>

#include <QCoreApplication>
#include <QTranslator>
#include <chrono>
#include <filesystem>
#include <functional>
#include <memory>

#include "run_support.h"
#include "scanner/scanner_model.h"
#include "scan/conversation/usb_scan_process.h"
#include "scanner_app/string_table.h"
#include "sim/usb/scanner.h"
#include "support.h"
#include "usb_run_support.h"

namespace {

using namespace runtest;
using namespace usbtest;
using namespace std::chrono_literals;
using sim::usb::Answer;
using sim::usb::ScanPage;
using sim::usb::ScannerScript;
using sim::usb::StreamItem;
using scantest::TempDir;

constexpr QSize kPage(64, 48);

class UsbModelScan : public UsbScannerTest {
 protected:
  // The scanner on the bus and a model that has run its first discovery
  // (no network to search: the scanner is the USB one).
  // With the application's own USB transport, or one whose page reads wait
  // only briefly.
  scan::ScannerModel& modelWith(ScannerScript script, bool applicationTransport = false) {
    attachScanner(std::move(script));
    scan::ScannerModelOptions options;
    options.discovery.interfaces = [] { return std::make_optional(std::vector<device::snmp::Ipv4Interface>{}); };
    options.discovery.timing = {0ms, 0ms};
    if (!applicationTransport) {
      options.usbTransport = [](const scan::Device& usbScanner, scan::ScanCommand& command) {
        return scan::UsbScanProcess(usbScanner, command, kShortReads).startScan();
      };
    }
    model = std::make_unique<scan::ScannerModel>(options);
    QCoreApplication::processEvents();
    return *model;
  }

  scan::UIParams choices(std::int64_t saveTypeIndex = 0, std::int64_t combineTypeIndex = 0) const {
    scan::UIParams params;
    params.scannerName = "KTR6620LXV";
    params.scanSourceIndex = 1;  // ADF
    params.colorModeIndex = 1;   // GRAY256
    params.pageSizeIndex = 1;    // A5
    params.saveTypeIndex = saveTypeIndex;
    params.combineTypeIndex = combineTypeIndex;
    params.saveDir = saveDir.str();
    params.saveFileName = "scan";
    return params;
  }

  // Scans and tells what the user sees afterwards.
  std::string scanWith(const scan::UIParams& params) {
    ::testing::internal::CaptureStdout();
    model->startScan(params);
    return ::testing::internal::GetCapturedStdout();
  }

  std::string alert() const {
    return (model->alertTitle() + " / " + model->alertMessage()).toStdString();
  }
  std::unique_ptr<scan::ScannerModel> model;
  TempDir saveDir;
};

TEST_F(UsbModelScan, DiscoveredScannerScansPagesIntoTheReceiveFolder) {
  scan::ScannerModel& scanModel = modelWith(script(jpegPages(3, kPage)), true);
  ASSERT_EQ(scanModel.scannerList().size(), 1);
  EXPECT_EQ(scanModel.selectedScanner().type, "USB");

  const std::string log = scanWith(choices());
  EXPECT_TRUE(scanModel.showAlert());
  EXPECT_EQ(alert(), "info / scanPages3 pages");
  EXPECT_NE(log.find("ret = (status: true, message: \"3\")\n"), std::string::npos) << log;
  EXPECT_EQ(scantest::fileNames(scanModel.receiveDir()),
            (std::vector<std::string>{"scan-0001.jpg", "scan-0002.jpg", "scan-0003.jpg"}));
  EXPECT_EQ(std::filesystem::path(scanModel.receiveDir()).parent_path(), saveDir.path());
  EXPECT_EQ(closeRequests(), 1u);
}

TEST_F(UsbModelScan, ScannerThatIsNoLongerAttachedIsAnError) {
  scan::ScannerModel& scanModel = modelWith(script(jpegPages(1, kPage)), true);
  device->unplug();
  scanWith(choices());
  EXPECT_EQ(alert(), "error / error");
  EXPECT_FALSE(std::filesystem::exists(scanModel.receiveDir()));
}

TEST_F(UsbModelScan, PdfOutputLeavesOnlyThePdf) {
  scan::ScannerModel& scanModel = modelWith(script(jpegPages(2, kPage)));
  scanWith(choices(1));
  EXPECT_EQ(alert(), "info / scanPages2 pages");
  const auto entries = saveDir.entries();
  ASSERT_EQ(entries.size(), 1u);
  EXPECT_EQ(std::filesystem::path(entries[0]).extension(), ".pdf");
  EXPECT_FALSE(std::filesystem::exists(scanModel.receiveDir()));
  const auto info = scantest::run("pdfinfo " + scantest::quoted((saveDir.path() / entries[0]).string()));
  EXPECT_NE(info.output.find("Pages:           2\n"), std::string::npos) << info.output;
}

TEST_F(UsbModelScan, MergedPagesAreNumberedBySheet) {
  scan::ScannerModel& scanModel = modelWith(script(jpegPages(3, kPage)));
  scanWith(choices(0, 1));  // CombinHorizontal
  EXPECT_EQ(alert(), "info / scanPages3 pages");
  EXPECT_EQ(scantest::fileNames(scanModel.receiveDir()),
            (std::vector<std::string>{"scan-0001.jpg", "scan-0002.jpg"}));
}

struct FailureCase {
  const char* name;
  std::function<void(ScannerScript&)> fault;
  std::string alert;
  bool closeSeen;
  std::vector<std::string> kept{};  // the receive folder's files; none: it is removed
};

void PrintTo(const FailureCase& c, std::ostream* out) { *out << c.name; }

class UsbModelFailure : public UsbModelScan, public ::testing::WithParamInterface<FailureCase> {};

// A failure the scanner reports removes what the scan saved; a page stream
// that breaks keeps the pages that came whole, and its alert says so.
TEST_P(UsbModelFailure, AlertsAndKeepsOnlyCompletePagesOfABrokenStream) {
  const FailureCase& c = GetParam();
  ScannerScript faulty = script(jpegPages(2, kPage));
  faulty.blockSize = 256;
  c.fault(faulty);
  scan::ScannerModel& scanModel = modelWith(faulty);
  scanWith(choices());
  EXPECT_EQ(alert(), "error / " + c.alert);
  EXPECT_EQ(std::filesystem::exists(scanModel.receiveDir()), !c.kept.empty());
  if (!c.kept.empty()) {
    EXPECT_EQ(scantest::fileNames(scanModel.receiveDir()), c.kept);
  }
  EXPECT_EQ(closeRequests(), c.closeSeen ? 1u : 0u);
  EXPECT_FALSE(device->claimed(sim::usb::kScanInterface));
}

ScanPage pageOf(int pageNo) {
  return ScanPage{share(jpegPage(pageNo, kPage)), static_cast<std::uint16_t>(pageNo)};
}

INSTANTIATE_TEST_SUITE_P(
    Faults, UsbModelFailure,
    ::testing::Values(
        FailureCase{"ScannerBusy", [](ScannerScript& s) { s.open = Answer::bytes({5, 0, 0, 0, 1}); },
                    "scannerBusy", false},
        FailureCase{"OpenStalled", [](ScannerScript& s) { s.open = Answer::stall(); }, "openError", false},
        FailureCase{"NoPaperInTheFeeder", [](ScannerScript& s) { s.dReply = Answer::bytes({0xC2}); },
                    "noPaperInADF", true},
        FailureCase{"SilentAfterD", [](ScannerScript& s) { s.dReply = Answer::silence(); },
                    "checkPaperSourceError", true},
        FailureCase{"XRefused", [](ScannerScript& s) { s.xWrite = Answer::stall(); }, "sndXCommandError", true},
        FailureCase{"JamAfterPageTwo",
                    [](ScannerScript& s) { s.stream.back() = StreamItem::status(0xC3); }, "paperJunck", true},
        FailureCase{"UnknownStatus", [](ScannerScript& s) { s.stream.back() = StreamItem::status(0x99); },
                    "unexpectError", true},
        FailureCase{"SilentMidPage",
                    [](ScannerScript& s) {
                      ScanPage cut = pageOf(3);
                      cut.cutAfterBlocks = 1;
                      s.stream.back() = StreamItem::of(cut);
                    },
                    "receiveImagesError\npagesKept", true, {"scan-0001.jpg", "scan-0002.jpg"}},
        // The scanner is gone: the close request cannot reach it.
        FailureCase{"UnpluggedMidPage",
                    [](ScannerScript& s) {
                      ScanPage cut = pageOf(3);
                      cut.cutAfterBlocks = 1;
                      s.stream.back() = StreamItem::of(cut);
                      s.stream.push_back(StreamItem::bare(Answer::gone()));
                    },
                    "receiveImagesError\npagesKept", false, {"scan-0001.jpg", "scan-0002.jpg"}},
        // The pages that were saved may be the only copy of the scan.
        FailureCase{"PageThatIsNoPicture",
                    [](ScannerScript& s) {
                      s.stream.insert(s.stream.begin() + 1,
                                      StreamItem::of(ScanPage{share(Bytes(300, 0x42)), 2}));
                    },
                    "saveImageError", true, {"scan-0001.jpg", "scan-0003.jpg"}}),
    [](const ::testing::TestParamInfo<FailureCase>& test) { return std::string(test.param.name); });

// Told only that the images did not come, a user would take it that nothing
// was saved and scan again: the alert, as the application's string tables
// render it, says how many pages are kept and in which folder.
struct KeptPagesCase {
  const char* name;
  scanner_app::Language language;
  std::string title;
  std::string before;  // the folder's path comes between the two
  std::string after;
};

void PrintTo(const KeptPagesCase& c, std::ostream* out) { *out << c.name; }

class UsbKeptPagesAlert : public UsbModelScan, public ::testing::WithParamInterface<KeptPagesCase> {};

TEST_P(UsbKeptPagesAlert, AStreamBrokenInsidePage3TellsThatPages1And2AreKeptAndWhere) {
  const KeptPagesCase& c = GetParam();
  QTranslator table;
  ASSERT_TRUE(scanner_app::loadStringTable(table, c.language));
  QCoreApplication::installTranslator(&table);
  ScannerScript faulty = script(jpegPages(2, kPage));
  faulty.blockSize = 256;
  ScanPage cut = pageOf(3);
  cut.cutAfterBlocks = 1;
  faulty.stream.back() = StreamItem::of(cut);
  modelWith(faulty);
  scanWith(choices());
  QCoreApplication::removeTranslator(&table);

  // The folder the scan made in the save folder, its only entry.
  const auto entries = saveDir.entries();
  ASSERT_EQ(entries.size(), 1u);
  const std::filesystem::path folder = saveDir.path() / entries[0];
  EXPECT_EQ(alert(), c.title + " / " + c.before + folder.string() + c.after);
  EXPECT_EQ(scantest::fileNames(folder), (std::vector<std::string>{"scan-0001.jpg", "scan-0002.jpg"}));
}

INSTANTIATE_TEST_SUITE_P(
    Languages, UsbKeptPagesAlert,
    ::testing::Values(KeptPagesCase{"English", scanner_app::Language::English, "Error",
                                    "Could not receive the scanned images.\nComplete pages kept: 2, in ", "."},
                      KeptPagesCase{"Chinese", scanner_app::Language::Chinese, "错误",
                                    "无法接收扫描的图像。\n已保留完整页面：2 页，位于 ", "。"}),
    [](const ::testing::TestParamInfo<KeptPagesCase>& test) { return std::string(test.param.name); });

}  // namespace
