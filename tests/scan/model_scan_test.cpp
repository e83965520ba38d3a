// Whole scans through the scanner model, from the dialog's choices to the
// files on disk and the alert, against the network scanner simulator.
#include <gtest/gtest.h>

#include <QSignalSpy>
#include <QTranslator>
#include <chrono>
#include <filesystem>
#include <fstream>
#include <sys/mount.h>

#include "run_support.h"
#include "scan/pages/page_writer.h"
#include "scanner/scanner_model.h"
#include "scanner_app/string_table.h"
#include "sim/scanner/page_saved.h"
#include "support.h"

namespace {

using namespace runtest;
using sim::scanner::Script;
using sim::scanner::ScannerSim;
using sim::scanner::StreamStop;
using scantest::TempDir;
namespace fs = std::filesystem;

// The scans' time, 2024-01-02 03:04:05 (the tests run with TZ=UTC0).
const auto kScanTime = std::chrono::sys_days{std::chrono::year{2024} / 1 / 2} + std::chrono::hours(3) +
                       std::chrono::minutes(4) + std::chrono::seconds(5);
const std::string kStamp = "20240102030405";

// The dialog's positions.
enum Mode { CGRAY = 0, GRAY256 = 1, TEXT = 2 };
enum Combine { NoCombine = 0, CombinHorizontal = 1, CombinVertical = 2, IDCard = 3 };

struct Alert {
  bool show = false;
  std::string title;
  std::string message;
  friend bool operator==(const Alert&, const Alert&) = default;
  friend std::ostream& operator<<(std::ostream& out, const Alert& a) {
    return out << "{" << a.show << ", \"" << a.title << "\", \"" << a.message << "\"}";
  }
};

Alert infoAlert(int pages) { return {true, "info", "scanPages" + std::to_string(pages) + " pages"}; }
Alert errorAlert(const std::string& key) { return {true, "error", key}; }

class ModelScan : public ::testing::Test {
 protected:
  scan::ScannerModelOptions options() const {
    scan::ScannerModelOptions o;
    o.network = channel(read);
    o.clock = [] { return std::chrono::system_clock::time_point(kScanTime); };
    o.discovery.interfaces = [] { return std::optional(std::vector<device::snmp::Ipv4Interface>{}); };
    return o;
  }

  scan::UIParams ui(int mode = GRAY256, int combine = NoCombine, int saveType = 0) const {
    scan::UIParams p;
    p.scannerName = "KTR6620LXV";
    p.colorModeIndex = mode;
    p.combineTypeIndex = combine;
    p.saveTypeIndex = saveType;
    p.savePrefix = p.saveFileName = "file";
    p.saveDir = saveRoot.string();
    return p;
  }

  static Script jpegPages(int count, bool colour = false) {
    Script script;
    for (int page = 1; page <= count; ++page) script.pages.push_back(jpegPage(page, QSize(64, 48), colour));
    return script;
  }

  // Runs one scan with the model; the simulator's record afterwards.
  sim::scanner::Record scanWith(Script script, const scan::UIParams& choices) {
    ScannerSim sim(std::move(script));
    scan::ScannerModel model(networkScanner(sim), options());
    ::testing::internal::CaptureStdout();
    model.startScan(choices);
    log = ::testing::internal::GetCapturedStdout();
    alert = {model.showAlert(), model.alertTitle().toStdString(), model.alertMessage().toStdString()};
    receiveDir = model.receiveDir();
    return sim.finish();
  }

  fs::path received() const { return saveRoot / kStamp; }
  std::vector<std::string> receivedFiles() const { return scantest::fileNames(received()); }

  TempDir save;
  fs::path saveRoot = save.path();
  std::chrono::milliseconds read = 3000ms;
  std::string log;
  Alert alert;
  std::string receiveDir;
};

QImage load(const fs::path& file) { return QImage(QString::fromStdString(file.string())); }

std::string modeName(int mode) { return mode == CGRAY ? "CGRAY" : mode == GRAY256 ? "GRAY256" : "TEXT"; }

// Pages in every delivery mode and every colour mode give the same files.
class EveryDelivery : public ModelScan,
                      public ::testing::WithParamInterface<std::tuple<sim::scanner::Delivery, int>> {};

TEST_P(EveryDelivery, SavesThePagesNumberedAsReceived) {
  const auto& [delivery, mode] = GetParam();
  Script script;
  // 200 dpi A4: 1621 x 2294 dots, 1632 wide in mode "TEXT".
  const QSize textSize(1632, 24);  // the top rows of a page; the writer completes it with white
  for (int page = 1; page <= 3; ++page) {
    script.pages.push_back(mode == TEXT ? textPage(page, textSize) : jpegPage(page, QSize(64, 48), mode == CGRAY));
  }
  script.blockSize = 1000;
  script.delivery = delivery;
  const auto record = scanWith(script, ui(mode));

  EXPECT_EQ(alert, infoAlert(3));
  EXPECT_EQ(receiveDir, (save.path() / kStamp).string());
  const char* extension = mode == TEXT ? "bmp" : "jpg";
  ASSERT_EQ(receivedFiles(), (std::vector<std::string>{std::string("file-0001.") + extension,
                                                      std::string("file-0002.") + extension,
                                                      std::string("file-0003.") + extension}));
  for (int page = 1; page <= 3; ++page) {
    const QImage picture = load(received() / (std::string("file-000") + std::to_string(page) + "." + extension));
    if (mode == TEXT) {
      ASSERT_EQ(picture.size(), QSize(1632, 2294));
      EXPECT_TRUE(scantest::showsGrid(picture, QRect(QPoint(0, 0), textSize), scantest::pageGrid(page), 0));
    } else {
      ASSERT_EQ(picture.size(), QSize(64, 48));
      EXPECT_TRUE(scantest::showsGrid(picture, picture.rect(), scantest::pageGrid(page)))
          << "page " << page << ": " << scantest::describeCells(picture, picture.rect());
    }
  }
  EXPECT_TRUE(record.hostClosed);
  EXPECT_NE(log.find("ret = (status: true, message: \"3\")\n"), std::string::npos) << log;
}

INSTANTIATE_TEST_SUITE_P(Table, EveryDelivery,
                         ::testing::Combine(::testing::ValuesIn(sim::scanner::allDeliveries()),
                                            ::testing::Values(CGRAY, GRAY256, TEXT)),
                         [](const auto& row) {
                           return std::get<0>(row.param).name() + "_" + modeName(std::get<1>(row.param));
                         });

int pdfPages(const fs::path& pdf) {
  const auto run = scantest::run("pdfinfo " + scantest::quoted(pdf.string()));
  const auto at = run.output.find("Pages:");
  return at == std::string::npos ? -1 : std::stoi(run.output.substr(at + 6));
}

TEST_F(ModelScan, PdfGoesToTheSaveFolderAndTheReceiveFolderIsRemoved) {
  scanWith(jpegPages(3), ui(GRAY256, NoCombine, 1));
  EXPECT_EQ(alert, infoAlert(3));
  EXPECT_EQ(save.entries(), std::vector<std::string>{kStamp + ".pdf"});
  EXPECT_EQ(pdfPages(save.path() / (kStamp + ".pdf")), 3);
}

struct MergeCase {
  const char* name;
  int combine;
  int pages;
  int saveType;
  std::vector<std::string> files;  // in the receive folder, or the PDF's page count
  int pdfPages;
};

class Merge : public ModelScan, public ::testing::WithParamInterface<MergeCase> {};

TEST_P(Merge, PutsTwoPagesOnASheetAndCountsThePagesReceived) {
  const MergeCase& c = GetParam();
  scanWith(jpegPages(c.pages), ui(GRAY256, c.combine, c.saveType));
  EXPECT_EQ(alert, infoAlert(c.pages));
  if (c.saveType == 0) {
    EXPECT_EQ(receivedFiles(), c.files);
    // IDCard sheets stand upright (w x h); the "Combin" sheets lie (h x w).
    const QImage sheet = load(received() / "file-0001.jpg");
    EXPECT_EQ(sheet.size(), c.combine == IDCard ? QSize(1621, 2294) : QSize(2294, 1621));
  } else {
    EXPECT_EQ(save.entries(), std::vector<std::string>{kStamp + ".pdf"});
    EXPECT_EQ(pdfPages(save.path() / (kStamp + ".pdf")), c.pdfPages);
  }
}

INSTANTIATE_TEST_SUITE_P(
    Table, Merge,
    ::testing::Values(MergeCase{"IDCardTwoPagesOneSheet", IDCard, 2, 0, {"file-0001.jpg"}, 0},
                      MergeCase{"HorizontalFivePagesThreeSheets", CombinHorizontal, 5, 0,
                                {"file-0001.jpg", "file-0002.jpg", "file-0003.jpg"}, 0},
                      MergeCase{"VerticalFivePagesAsPdf", CombinVertical, 5, 1, {}, 3},
                      MergeCase{"IDCardThreePagesAsPdf", IDCard, 3, 1, {}, 2}),
    [](const auto& row) { return std::string(row.param.name); });

TEST_F(ModelScan, TextPagesMergedAsBmpSheets) {
  Script script;
  for (int page = 1; page <= 3; ++page) script.pages.push_back(textPage(page, QSize(1632, 16)));
  scanWith(script, ui(TEXT, CombinHorizontal, 0));
  EXPECT_EQ(alert, infoAlert(3));
  EXPECT_EQ(receivedFiles(), (std::vector<std::string>{"file-0001.bmp", "file-0002.bmp"}));
}

struct FailureCase {
  const char* name;
  void (*set)(Script&, const fs::path& received);  // where the pages are received
  std::string key;
};

class FailedScan : public ModelScan, public ::testing::WithParamInterface<FailureCase> {};

TEST_P(FailedScan, AlertsTheKeyAndRemovesTheReceiveFolderWithItsPages) {
  Script script = jpegPages(4);
  GetParam().set(script, received());
  read = 300ms;
  scanWith(script, ui(GRAY256, CombinHorizontal, 1));
  EXPECT_EQ(alert, errorAlert(GetParam().key));
  EXPECT_TRUE(save.entries().empty());
  EXPECT_NE(log.find("ret = (status: false, message: \"" + GetParam().key + "\")\n"), std::string::npos);
}

INSTANTIATE_TEST_SUITE_P(
    Table, FailedScan,
    ::testing::Values(
        // Each status byte behind a page end is held until that page is
        // saved, so that it reaches the receiver alone (page_saved.h).
        FailureCase{"JamAfterPage2",
                    [](Script& s, const fs::path& received) {
                      s.stop = StreamStop{sim::scanner::messagesThroughPage(s, 2), 0, StreamStop::Action::status, 0xC3};
                      s.beforeStopStatus = sim::scanner::untilSaved(received / "file-0002.jpg");
                    },
                    "paperJunck"},
        FailureCase{"WrongGreeting", [](Script& s, const fs::path&) { s.greeting = "0002"; }, "checkScannerError"},
        FailureCase{"NoPaperInTheFeeder", [](Script& s, const fs::path&) { s.replyD = 0xC2; s.replyS = 0xD0; },
                    "paperSourceNotExist"},
        FailureCase{"UnknownStatus",
                    [](Script& s, const fs::path& received) {
                      s.stop = StreamStop{sim::scanner::messagesThroughPage(s, 1), 0, StreamStop::Action::status, 0x90};
                      s.beforeStopStatus = sim::scanner::untilSaved(received / "file-0001.jpg");
                    },
                    "unexpectError"}),
    [](const auto& row) { return std::string(row.param.name); });

// The stream breaks inside page 3, after two complete pages: the failure is
// alerted with the pages kept, page 3 is not saved, and pages 1 and 2 stay in
// the receive folder.
struct BrokenStreamCase {
  const char* name;
  std::size_t bytes;  // of page 3's messages, counted from its first block
  StreamStop::Action action;
  std::uint8_t status;
  int saveType = 0;
};

class BrokenStream : public ModelScan, public ::testing::WithParamInterface<BrokenStreamCase> {};

TEST_P(BrokenStream, KeepsTheCompletePages) {
  const BrokenStreamCase& c = GetParam();
  Script script = jpegPages(4);
  script.blockSize = 200;  // page 3 of several blocks
  const std::size_t page3 = sim::scanner::messagesThroughPage(script, 2);
  // Whole messages of page 3 first, then bytes into the next one.
  const auto messages = sim::scanner::pageStreamMessages(script);
  std::size_t whole = 0;
  std::size_t bytes = c.bytes;
  while (bytes >= messages[page3 + whole].size()) bytes -= messages[page3 + whole++].size();
  script.stop = StreamStop{page3 + whole, bytes, c.action, c.status};
  read = 400ms;
  scanWith(script, ui(GRAY256, NoCombine, c.saveType));
  EXPECT_EQ(alert, errorAlert("scannerNetworkError\npagesKept"));
  EXPECT_EQ(receivedFiles(), (std::vector<std::string>{"file-0001.jpg", "file-0002.jpg"}));
  EXPECT_EQ(save.entries(), std::vector<std::string>{kStamp});  // and no PDF
}

INSTANTIATE_TEST_SUITE_P(
    Table, BrokenStream,
    ::testing::Values(BrokenStreamCase{"EndsInsideAHeader", 5, StreamStop::Action::close, 0},
                      BrokenStreamCase{"EndsInsideAPayload", 12 + 100, StreamStop::Action::close, 0},
                      BrokenStreamCase{"EndsBetweenBlocks", 212, StreamStop::Action::close, 0},
                      BrokenStreamCase{"JobEndInsideThePage", 212, StreamStop::Action::status, 0x80},
                      BrokenStreamCase{"SilentInsideThePage", 212 + 50, StreamStop::Action::silence, 0},
                      BrokenStreamCase{"SilentAsPdf", 212 + 50, StreamStop::Action::silence, 0, 1}),
    [](const auto& row) { return std::string(row.param.name); });

// Told only "cannot reach the scanner", a user would take it that nothing
// was saved and scan again.
TEST_F(ModelScan, AStreamClosedInsidePage2TellsInEitherLanguageThatPage1IsKeptAndWhere) {
  const std::string folder = received().string();
  const struct {
    scanner_app::Language language;
    Alert alert;
  } cases[] = {
      {scanner_app::Language::English,
       {true, "Error", "Cannot reach the scanner over the network.\nComplete pages kept: 1, in " + folder + "."}},
      {scanner_app::Language::Chinese,
       {true, "错误", "无法通过网络连接扫描仪。\n已保留完整页面：1 页，位于 " + folder + "。"}},
  };
  for (const auto& c : cases) {
    QTranslator table;
    ASSERT_TRUE(scanner_app::loadStringTable(table, c.language));
    QCoreApplication::installTranslator(&table);
    Script script = jpegPages(3);
    script.blockSize = 200;  // page 2 of several blocks
    script.stop = StreamStop{sim::scanner::messagesThroughPage(script, 1) + 1, 0, StreamStop::Action::close, 0};
    scanWith(script, ui());
    QCoreApplication::removeTranslator(&table);
    EXPECT_EQ(alert, c.alert);
    EXPECT_EQ(receivedFiles(), std::vector<std::string>{"file-0001.jpg"});
    fs::remove_all(received());  // the next scan has the same time
  }
}

TEST_F(ModelScan, ASaveFolderThatDoesNotExistStopsBeforeTheDevice) {
  ScannerSim sim(jpegPages(1));
  scan::ScannerModel model(networkScanner(sim), options());
  scan::UIParams choices = ui();
  choices.saveDir = (save.path() / "missing").string();
  ::testing::internal::CaptureStdout();
  model.startScan(choices);
  EXPECT_EQ(::testing::internal::GetCapturedStdout(), "create save image directory error\n");
  EXPECT_EQ((Alert{model.showAlert(), model.alertTitle().toStdString(), model.alertMessage().toStdString()}),
            errorAlert("cannotCreateReceiveDir"));
  EXPECT_FALSE(fs::exists(save.path() / "missing"));
  EXPECT_EQ(sim.recordSoFar().connections, 0);
}

TEST_F(ModelScan, AReceiveFolderOfTheSameSecondIsLeftAloneAndNotScanned) {
  fs::create_directory(received());
  std::ofstream(received() / "file-0001.jpg") << "an earlier scan";
  ScannerSim sim(jpegPages(1));
  scan::ScannerModel model(networkScanner(sim), options());
  ::testing::internal::CaptureStdout();
  model.startScan(ui());
  model.clearReceiveDir();
  ::testing::internal::GetCapturedStdout();
  EXPECT_EQ(model.alertMessage().toStdString(), "cannotCreateReceiveDir");
  EXPECT_EQ(test_support::readFile(received() / "file-0001.jpg"), "an earlier scan");
  EXPECT_EQ(sim.recordSoFar().connections, 0);
}

class BadFileName : public ModelScan, public ::testing::WithParamInterface<std::string> {};

TEST_P(BadFileName, IsRefusedBeforeAnythingIsMadeOrScanned) {
  ScannerSim sim(jpegPages(1));
  scan::ScannerModel model(networkScanner(sim), options());
  scan::UIParams choices = ui();
  choices.savePrefix = choices.saveFileName = GetParam();
  model.startScan(choices);
  EXPECT_EQ((Alert{model.showAlert(), model.alertTitle().toStdString(), model.alertMessage().toStdString()}),
            errorAlert("invalidSaveFileName"));
  EXPECT_TRUE(save.entries().empty());
  EXPECT_EQ(sim.recordSoFar().connections, 0);
}

INSTANTIATE_TEST_SUITE_P(Table, BadFileName,
                         ::testing::Values("a/b", "/abs", "..", ".", "line\nbreak", std::string("nul\0x", 5),
                                           "tab\t", "del\x7f"));

TEST_F(ModelScan, ANameWithDotsAndSpacesIsAPrefixLikeAnyOther) {
  scan::UIParams choices = ui();
  choices.savePrefix = choices.saveFileName = "..my scan.";
  scanWith(jpegPages(1), choices);
  EXPECT_EQ(alert, infoAlert(1));
  EXPECT_EQ(receivedFiles(), std::vector<std::string>{"..my scan.-0001.jpg"});
}

struct NoPageCase {
  const char* name;
  int mode;
  int combine;
  int saveType;
};

class NoPage : public ModelScan, public ::testing::WithParamInterface<NoPageCase> {};

TEST_P(NoPage, ShowsZeroPagesAndLeavesTheSaveFolderAsItWas) {
  const auto record = scanWith(Script{}, ui(GetParam().mode, GetParam().combine, GetParam().saveType));
  EXPECT_EQ(alert, infoAlert(0));
  EXPECT_TRUE(save.entries().empty());
  EXPECT_EQ(record.commands.size(), 4u);
}

INSTANTIATE_TEST_SUITE_P(Table, NoPage,
                         ::testing::Values(NoPageCase{"Jpeg", GRAY256, NoCombine, 0},
                                           NoPageCase{"JpegMerged", GRAY256, IDCard, 0},
                                           NoPageCase{"Bmp", TEXT, NoCombine, 0},
                                           NoPageCase{"Pdf", GRAY256, NoCombine, 1},
                                           NoPageCase{"PdfMerged", GRAY256, CombinVertical, 1}),
                         [](const auto& row) { return std::string(row.param.name); });

class UnsavedPage : public ModelScan, public ::testing::WithParamInterface<int> {};

TEST_P(UnsavedPage, AlertsSaveImageErrorAndKeepsTheReceivedPages) {
  Script script = jpegPages(3);
  script.pages[1] = scantest::withDeclaredSize(script.pages[1], 30000, 30000);
  const auto record = scanWith(script, ui(GRAY256, NoCombine, GetParam()));
  EXPECT_EQ(alert, errorAlert("saveImageError"));
  EXPECT_EQ(receivedFiles(), (std::vector<std::string>{"file-0001.jpg", "file-0003.jpg"}));
  EXPECT_EQ(save.entries(), std::vector<std::string>{kStamp});  // and no PDF
  EXPECT_TRUE(record.hostClosed);
}

INSTANTIATE_TEST_SUITE_P(JpegAndPdf, UnsavedPage, ::testing::Values(0, 1));

// The USB transport as the model calls it.
struct UsbCall {
  int calls = 0;
  scan::Device scanner;
  scan::ScanParam param;
};

scan::ScannerModelOptions withUsb(scan::ScannerModelOptions o, UsbCall& call, scan::ResultPair result,
                                  int pages = 0) {
  o.usbTransport = [&call, result, pages](const scan::Device& scanner, scan::ScanCommand& command) {
    ++call.calls;
    call.scanner = scanner;
    command.param.source = "FB";
    call.param = command.param;
    for (int page = 1; page <= pages; ++page) scan::saveImages(command.param, page, jpegPage(page, QSize(64, 48)));
    return result;
  };
  return o;
}

struct UsbCase {
  const char* name;
  std::string type;
  scan::ResultPair result;
  int pages;
  Alert alert;
  bool folderKept;
};

class UsbTransport : public ModelScan, public ::testing::WithParamInterface<UsbCase> {};

TEST_P(UsbTransport, RunsEveryScannerThatIsNotNetAndTakesItsResult) {
  const UsbCase& c = GetParam();
  UsbCall call;
  const scan::Device scanner("KTR6620LXV", "KTR6620LXV", c.type, "", 52, 0x5A3E);
  scan::ScannerModel model(scanner, withUsb(options(), call, c.result, c.pages));
  ::testing::internal::CaptureStdout();
  model.startScan(ui());
  ::testing::internal::GetCapturedStdout();
  EXPECT_EQ(call.calls, 1);
  EXPECT_EQ(call.scanner, scanner);
  EXPECT_EQ(call.param.filePath, (received() / "file").string());
  EXPECT_EQ((Alert{model.showAlert(), model.alertTitle().toStdString(), model.alertMessage().toStdString()}), c.alert);
  EXPECT_EQ(fs::exists(received()), c.folderKept);
}

INSTANTIATE_TEST_SUITE_P(
    Table, UsbTransport,
    ::testing::Values(UsbCase{"UsbScanOfTwoPages", "USB", {true, "2"}, 2, infoAlert(2), true},
                      UsbCase{"PlaceholderTypeGoesToUsb", "", {true, "1"}, 1, infoAlert(1), true},
                      UsbCase{"EndedBeforeTheFirstPage", "USB", {true, "ok"}, 0, infoAlert(0), false},
                      UsbCase{"Failed", "USB", {false, "openError"}, 1, errorAlert("openError"), false},
                      UsbCase{"FailedWithoutAKey", "USB", {false, ""}, 0, errorAlert("unexpectError"), false}),
    [](const auto& row) { return std::string(row.param.name); });

TEST_F(ModelScan, TheAlertIsPublishedWithChangeSignalsAndLookedUpTexts) {
  // A string table of the "Localizable" context.
  class Table : public QTranslator {
   public:
    bool isEmpty() const override { return false; }
    QString translate(const char* context, const char* source, const char*, int) const override {
      if (QString(context) != "Localizable") return {};
      if (QString(source) == "info") return "Fertig";
      if (QString(source) == "scanPages") return "Seiten: ";
      if (QString(source) == "pages") return "Stück";
      return {};
    }
  } table;
  QCoreApplication::installTranslator(&table);
  ScannerSim sim(jpegPages(2));
  scan::ScannerModel model(networkScanner(sim), options());
  QSignalSpy show(&model, &scan::ScannerModel::showAlertChanged);
  QSignalSpy title(&model, &scan::ScannerModel::alertTitleChanged);
  QSignalSpy message(&model, &scan::ScannerModel::alertMessageChanged);
  ::testing::internal::CaptureStdout();
  model.startScan(ui());
  ::testing::internal::GetCapturedStdout();
  QCoreApplication::removeTranslator(&table);
  EXPECT_EQ(show.count(), 1);
  EXPECT_EQ(title.count(), 1);
  EXPECT_EQ(message.count(), 1);
  EXPECT_EQ(model.property("alertTitle").toString(), "Fertig");
  EXPECT_EQ(model.property("alertMessage").toString(), "Seiten: 2 Stück");
  // The window's alert sets it back when dismissed.
  EXPECT_TRUE(model.setProperty("showAlert", false));
  EXPECT_EQ(show.count(), 2);
  sim.finish();
}

// The receive folder: only what this scan made is ever removed.
TEST_F(ModelScan, ClearingRemovesOnlyAFolderThisScanMade) {
  scan::ScannerModel model(scan::Device(), options());
  ::testing::internal::CaptureStdout();
  fs::create_directory(received());
  std::ofstream(received() / "keep") << "x";
  EXPECT_FALSE(model.createReceiveDir(save.str()).status);  // exists already
  model.clearReceiveDir();
  EXPECT_TRUE(fs::exists(received() / "keep"));

  EXPECT_FALSE(model.createReceiveDir("").status);  // never the root or the working directory
  model.clearReceiveDir();
  EXPECT_TRUE(fs::exists(fs::current_path()));
  ::testing::internal::GetCapturedStdout();
}

TEST_F(ModelScan, ClearingDoesNotFollowASymbolicLink) {
  TempDir elsewhere;
  std::ofstream(elsewhere.path() / "precious") << "x";
  scan::ScannerModel model(scan::Device(), options());
  ::testing::internal::CaptureStdout();
  ASSERT_TRUE(model.createReceiveDir(save.str()).status);
  fs::create_directory_symlink(elsewhere.path(), received() / "link");
  std::ofstream(received() / "file-0001.jpg") << "page";
  model.clearReceiveDir();
  model.clearReceiveDir();  // a second call has nothing left to remove
  ::testing::internal::GetCapturedStdout();
  EXPECT_FALSE(fs::exists(received()));
  EXPECT_TRUE(fs::exists(elsewhere.path() / "precious"));
}

TEST_F(ModelScan, TheReceiveFolderIsMadeAndLogged) {
  scan::ScannerModel model(scan::Device(), options());
  ::testing::internal::CaptureStdout();
  EXPECT_EQ(model.createReceiveDir(save.str()), (scan::ResultPair{true, "ok"}));
  EXPECT_EQ(::testing::internal::GetCapturedStdout(), "receive directory created: " + received().string() + "\n");
  EXPECT_EQ(model.receiveDir(), received().string());
  EXPECT_TRUE(fs::is_directory(received()));
  ::testing::internal::CaptureStdout();
  model.clearReceiveDir();
  EXPECT_EQ(::testing::internal::GetCapturedStdout(), "");
  EXPECT_FALSE(fs::exists(received()));
}

// Merge and PDF failing on a file system of the test's own (in_small_fs.sh)
// that turns read-only once the last page is saved.
class ModelSmallFs : public ModelScan {
 protected:
  void SetUp() override {
    const char* root = std::getenv("SCAN_SMALL_FS");
    if (root == nullptr) GTEST_SKIP() << "runs under in_small_fs.sh only";
    root_ = root;
    saveRoot = root_ / "save";
    fs::create_directory(saveRoot);
  }
  void TearDown() override {
    if (root_.empty()) return;
    ::mount(nullptr, root_.c_str(), nullptr, MS_REMOUNT, "size=4m");
    std::error_code ignored;
    fs::remove_all(saveRoot, ignored);
  }

  // Four pages; the file system turns read-only before the job-end byte.
  Script pagesThenReadOnly() {
    Script script = jpegPages(4);
    script.beforeJobEnd = [this] {
      sim::scanner::waitUntilSaved(received() / "file-0004.jpg");
      ASSERT_EQ(::mount(nullptr, root_.c_str(), nullptr, MS_REMOUNT | MS_RDONLY, nullptr), 0);
    };
    return script;
  }

  fs::path root_;
};

TEST_F(ModelSmallFs, FailedMergeAlertsSaveImageErrorAndKeepsThePages) {
  scanWith(pagesThenReadOnly(), ui(GRAY256, CombinHorizontal, 1));
  EXPECT_EQ(alert, errorAlert("saveImageError"));
  EXPECT_EQ(receivedFiles(),
            (std::vector<std::string>{"file-0001.jpg", "file-0002.jpg", "file-0003.jpg", "file-0004.jpg"}));
  EXPECT_EQ(scantest::fileNames(saveRoot), std::vector<std::string>{kStamp});
}

TEST_F(ModelSmallFs, FailedPdfAlertsSaveImageErrorAndKeepsThePages) {
  scanWith(pagesThenReadOnly(), ui(GRAY256, NoCombine, 1));
  EXPECT_EQ(alert, errorAlert("saveImageError"));
  EXPECT_EQ(receivedFiles().size(), 4u);
  EXPECT_EQ(scantest::fileNames(saveRoot), std::vector<std::string>{kStamp});
}

}  // namespace
