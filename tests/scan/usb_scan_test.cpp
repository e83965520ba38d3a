// The USB scan run against the simulated scanner on umockdev: the open and
// close requests, the commands on the scan interface, the pages and every
// fault of the page stream. The scanner is the one discovery finds.
#include <gtest/gtest.h>

#include <QImage>
#include <QString>
#include <chrono>
#include <memory>

#include "run_support.h"
#include "scan/conversation/scan_command.h"
#include "scanner/scanner_discovery.h"
#include "scan/conversation/usb_scan_process.h"
#include "sim/usb/scanner.h"
#include "support.h"
#include "usb_run_support.h"

namespace {

using namespace runtest;
using namespace usbtest;
using sim::usb::Answer;
using sim::usb::ScanPage;
using sim::usb::ScannerScript;
using sim::usb::StreamItem;
using scantest::TempDir;

constexpr QSize kPage(64, 48);
// Small pages still take several transfers, so faults can come inside them.
constexpr std::size_t kShortBlock = 256;

struct Outcome {
  scan::ResultPair result;
  std::string source;  // as the run left it in the shared command
  std::string log;
  std::chrono::steady_clock::duration took{};
};

class UsbScan : public UsbScannerTest {
 protected:
  scan::ScanParam param(const std::string& mode = "GRAY256", QSize size = kPage) const {
    return scantest::pageParam(mode, mode == "TEXT" ? "BMP" : "JPEG", size.width(), size.height(), "NoCombine",
                               0, dir.str() + "/file");
  }

  // Puts the scanner on the bus, finds it as discovery does and scans.
  Outcome scan(ScannerScript script, const std::string& source = "ADF", scan::ScanParam scanParam = {},
               const sim::usb::DeviceConfig& config = sim::usb::ktr6620lxvScanner()) {
    attachScanner(std::move(script), config);
    const auto found = scan::getDeviceByIOUSB();
    EXPECT_EQ(found.size(), 1u);
    return scanWith(found.empty() ? scan::Device() : found.front(), source, std::move(scanParam));
  }

  Outcome scanWith(const scan::Device& usbScanner, const std::string& source, scan::ScanParam scanParam) {
    if (scanParam.mode.empty()) scanParam = param();
    scanParam.source = source;
    scan::ScanCommand command(scanParam);
    Outcome outcome;
    const auto start = std::chrono::steady_clock::now();
    ::testing::internal::CaptureStdout();
    outcome.result = scan::UsbScanProcess(usbScanner, command, kShortReads).startScan();
    outcome.log = ::testing::internal::GetCapturedStdout();
    outcome.took = std::chrono::steady_clock::now() - start;
    outcome.source = command.param.source;
    return outcome;
  }

  std::vector<std::string> files() const { return scantest::fileNames(dir.path()); }
  std::vector<std::string> commandTexts() const {
    std::vector<std::string> texts;
    for (const auto& command : scanner->commands()) texts.push_back(textOf(command));
    return texts;
  }
  TempDir dir;
};

const std::string kI = "\x1bI\nR=300,300\nM=GRAY256\nD=SIN\n\xC2\x80";
const std::string kX =
    "\x1bX\nR=300,300\nM=GRAY256\nT=AUTO\nC=JPEG\nJ=MID\nB=50\nN=50\nA=0,0,64,48\nD=SIN\nIDCard=0\n";

TEST_F(UsbScan, PagesAreSavedInOrderAndTheScannerIsClosed) {
  const Outcome run = scan(script(jpegPages(3, kPage)), "AUTO");
  EXPECT_EQ(run.result, (scan::ResultPair{true, "3"}));
  EXPECT_EQ(run.source, "ADF");
  EXPECT_EQ(commandTexts(),
            (std::vector<std::string>{"\x1b" "D\nAUTO\n\xC2\x80", "\x1bS\nADF\n\xC2\x80", kI, kX}));
  ASSERT_EQ(files(), (std::vector<std::string>{"file-0001.jpg", "file-0002.jpg", "file-0003.jpg"}));
  for (int page = 1; page <= 3; ++page) {
    const QImage saved(QString::fromStdString(dir.str() + "/file-000" + std::to_string(page) + ".jpg"));
    EXPECT_TRUE(scantest::showsGrid(saved, saved.rect(), scantest::pageGrid(page))) << page;
  }

  const auto opens = scanner->requests(sim::usb::kOpenRequest);
  ASSERT_EQ(opens.size(), 1u);
  EXPECT_EQ(opens[0].value, 2);
  EXPECT_EQ(opens[0].index, 0);
  EXPECT_EQ(opens[0].length, 0x0500);
  const auto closes = scanner->requests(sim::usb::kCloseRequest);
  ASSERT_EQ(closes.size(), 1u);
  EXPECT_EQ(closes[0].value, 2);
  EXPECT_EQ(closes[0].length, 0x0500);
  // Claimed once for the whole job, and given back.
  EXPECT_EQ(device->claimCount(sim::usb::kScanInterface), 1);
  EXPECT_FALSE(device->claimed(sim::usb::kScanInterface));
  EXPECT_EQ(device->claimCount(0), 0);
}

TEST_F(UsbScan, LogsTheRunsLinesInOrder) {
  const Outcome run = scan(script(jpegPages(2, kPage)));
  EXPECT_TRUE(linesInOrder(run.log, {"init usbscanprocess pid=52 and vid = 23102",
                                     "sendControlRequest",
                                     "[5, 0, 0, 0, 0]",
                                     "endpoints = 2 and get no res = 0",
                                     "selected source = ADF",
                                     "pipe status = Optional(0)",
                                     "readBytes function. readlen=1",
                                     "get bytes data is [128]",
                                     "x command is sent",
                                     "open and perform",
                                     "read sucess",
                                     "receive page 1, device page number = 1",
                                     "open and perform",
                                     "receive page 2, device page number = 2",
                                     "open and perform",
                                     "buffer[0]=128",
                                     "interface closed",
                                     "sendControlRequest",
                                     "close scanner successfully"}))
      << run.log;
  EXPECT_EQ(countLines(run.log, "interface closed"), 1u) << run.log;
  EXPECT_EQ(countLines(run.log, "open and perform"), 3u) << run.log;
}

TEST_F(UsbScan, KernelDriverIsSetAsideForTheWholeJobAndGivenBack) {
  attachScanner(script(jpegPages(2, kPage)));
  device->holdInterface(sim::usb::kScanInterface, "usblp");
  const Outcome run = scanWith(scan::getDeviceByIOUSB().at(0), "ADF", {});
  EXPECT_EQ(run.result, (scan::ResultPair{true, "2"}));
  EXPECT_EQ(device->claimCount(sim::usb::kScanInterface), 1);
  EXPECT_TRUE(device->driverDetached(sim::usb::kScanInterface));
  EXPECT_TRUE(device->driverReattached(sim::usb::kScanInterface));
}

TEST_F(UsbScan, InterfaceHeldByAnotherProgramFailsTheFirstCommandAndClosesTheScanner) {
  attachScanner(script(jpegPages(1, kPage)));
  device->holdInterface(sim::usb::kScanInterface, "usbfs");
  const Outcome run = scanWith(scan::getDeviceByIOUSB().at(0), "ADF", {});
  EXPECT_EQ(run.result, (scan::ResultPair{false, "checkPaperSourceError"}));
  EXPECT_TRUE(linesInOrder(run.log, {"open interface failed",
                                     "check paper source error. error = Device not open",
                                     "check paper source error", "interface closed",
                                     "close scanner successfully"}))
      << run.log;
  EXPECT_EQ(closeRequests(), 1u);
}

TEST_F(UsbScan, TextModePagesBecomeBmpFiles) {
  const QSize size(128, 40);
  const Outcome run = scan(script({share(textPage(1, size)), share(textPage(2, size))}), "FB",
                           param("TEXT", size));
  EXPECT_EQ(run.result, (scan::ResultPair{true, "2"}));
  ASSERT_EQ(files(), (std::vector<std::string>{"file-0001.bmp", "file-0002.bmp"}));
  const QImage second(QString::fromStdString(dir.str() + "/file-0002.bmp"));
  EXPECT_TRUE(scantest::showsGrid(second, second.rect(), scantest::pageGrid(2), 0));
}

TEST_F(UsbScan, BlocksOfTheLargestSizeCarryThePageWhole) {
  // 2048 x 640 at one bit a pixel: 163840 bytes, two full blocks and a rest.
  const QSize size(2048, 640);
  ScannerScript script_ = script({share(textPage(3, size))});
  script_.blockSize = sim::usb::kLargestBlock;
  const Outcome run = scan(script_, "FB", param("TEXT", size));
  EXPECT_EQ(run.result, (scan::ResultPair{true, "1"}));
  EXPECT_NE(run.log.find("readBytes function. readlen=65547  and packet len = 65535"), std::string::npos);
  const QImage page(QString::fromStdString(dir.str() + "/file-0001.bmp"));
  EXPECT_TRUE(scantest::showsGrid(page, page.rect(), scantest::pageGrid(3), 0));
}

TEST_F(UsbScan, DevicePageNumbersDoNotNameTheFiles) {
  for (const std::vector<std::uint16_t>& numbers : {std::vector<std::uint16_t>{0, 1, 2}, {5, 5, 5}}) {
    SCOPED_TRACE(numbers[0]);
    TempDir folder;
    ScannerScript numbered;
    int page = 1;
    for (const auto number : numbers) {
      numbered.stream.push_back(StreamItem::of(ScanPage{share(jpegPage(page++, kPage)), number}));
    }
    numbered.stream.push_back(StreamItem::jobEnd());
    sim::usb::Testbed ownBed;
    auto& own = ownBed.addDevice(sim::usb::ktr6620lxvScanner());
    sim::usb::Scanner ownScanner(own, numbered);
    scan::ScanParam scanParam = param();
    scanParam.filePath = folder.str() + "/file";
    const Outcome run = scanWith(scan::getDeviceByIOUSB().at(0), "ADF", scanParam);
    EXPECT_EQ(run.result, (scan::ResultPair{true, "3"}));
    EXPECT_NE(run.log.find("receive page 3, device page number = " + std::to_string(numbers[2])),
              std::string::npos);
    ASSERT_EQ(scantest::fileNames(folder.path()),
              (std::vector<std::string>{"file-0001.jpg", "file-0002.jpg", "file-0003.jpg"}));
    const QImage third(QString::fromStdString(folder.str() + "/file-0003.jpg"));
    EXPECT_TRUE(scantest::showsGrid(third, third.rect(), scantest::pageGrid(3)));
  }
}

TEST_F(UsbScan, NoPageBeforeTheEndIsZeroPages) {
  const Outcome run = scan(script({}));
  EXPECT_EQ(run.result, (scan::ResultPair{true, "0"}));
  EXPECT_TRUE(files().empty());
  EXPECT_EQ(closeRequests(), 1u);
}

// Header bytes 0-2 may hold anything, status values and marks included: the
// reader judges a transfer by its length, so every start gives the pages the
// device sent, byte for byte.
using scantest::HeaderStart;

class AnyHeaderStart : public UsbScan,
                       public ::testing::WithParamInterface<std::tuple<HeaderStart, std::string>> {};

TEST_P(AnyHeaderStart, GivesThePagesByteForByte) {
  const auto& [start, mode] = GetParam();
  std::vector<std::shared_ptr<const Bytes>> pages;
  for (int page = 1; page <= 3; ++page) {
    pages.push_back(share(mode == "TEXT" ? textPage(page, kPage) : jpegPage(page, kPage)));
  }
  ScannerScript script_ = script(pages);
  script_.blockSize = kShortBlock;  // pages of several blocks
  script_.headerStart = start;

  const Outcome run = scan(script_, "FB", param(mode));
  EXPECT_EQ(run.result, (scan::ResultPair{true, "3"}));
  std::vector<Bytes> sent;
  for (const auto& page : pages) sent.push_back(*page);
  expectSavedAsWritten(param(mode), sent, dir.path());
}

INSTANTIATE_TEST_SUITE_P(Table, AnyHeaderStart,
                         ::testing::Combine(::testing::ValuesIn(scantest::kHeaderStarts),
                                            ::testing::Values("GRAY256", "TEXT")),
                         [](const auto& row) {
                           return scantest::hexName(std::get<0>(row.param)) + "_" + std::get<1>(row.param);
                         });

// ---- the open request -------------------------------------------------------

struct OpenCase {
  const char* name;
  Answer reply;
  scan::ResultPair result;
  std::string logHas;
};

void PrintTo(const OpenCase& c, std::ostream* out) { *out << c.name; }

class OpenReply : public UsbScan, public ::testing::WithParamInterface<OpenCase> {};

TEST_P(OpenReply, OnlyAReadyIdleScannerIsUsed) {
  const OpenCase& c = GetParam();
  ScannerScript refused = script(jpegPages(1, kPage));
  refused.open = c.reply;
  const Outcome run = scan(refused);
  EXPECT_EQ(run.result, c.result);
  EXPECT_TRUE(scanner->commands().empty());
  EXPECT_EQ(closeRequests(), 0u);
  EXPECT_EQ(device->claimCount(sim::usb::kScanInterface), 0);
  EXPECT_NE(run.log.find(c.logHas + "\n"), std::string::npos) << run.log;
}

INSTANTIATE_TEST_SUITE_P(
    Replies, OpenReply,
    ::testing::Values(
        OpenCase{"Busy", Answer::bytes({5, 0, 0, 0, 1}), {false, "scannerBusy"}, "[5, 0, 0, 0, 1]"},
        OpenCase{"NotReady", Answer::bytes({4, 0, 0, 0, 0}), {false, "error"}, "[4, 0, 0, 0, 0]"},
        OpenCase{"ShortReply", Answer::bytes({5, 0, 0}), {false, "error"}, "[5, 0, 0, 0, 0]"},
        OpenCase{"Stall", Answer::stall(), {false, "openError"},
                 "open scanner error. and error is Pipe has stalled, error needs to be cleared"}),
    [](const ::testing::TestParamInfo<OpenCase>& test) { return std::string(test.param.name); });

TEST_F(UsbScan, ScannerWithoutItsScanInterfaceIsNotAsked) {
  const Outcome run = scan(script(jpegPages(1, kPage)), "ADF", {}, sim::usb::ktr6620lxv());
  EXPECT_EQ(run.result, (scan::ResultPair{false, "error"}));
  EXPECT_TRUE(device->controlRequests().empty());
  EXPECT_NE(run.log.find("init usb interface error. and error is USB: Plugin has no interface interface.\n"),
            std::string::npos)
      << run.log;
}

TEST_F(UsbScan, ScanInterfaceWithoutAnOutPipeFailsTheFirstCommand) {
  auto config = sim::usb::ktr6620lxvScanner();
  config.interfaces[1].endpoints[0].address = 0x85;  // both pipes read
  const Outcome run = scan(script(jpegPages(1, kPage)), "ADF", {}, config);
  EXPECT_EQ(run.result, (scan::ResultPair{false, "checkPaperSourceError"}));
  EXPECT_NE(run.log.find("check paper source error. error = the interface has no writePipe\n"), std::string::npos)
      << run.log;
  EXPECT_EQ(closeRequests(), 1u);
}

TEST_F(UsbScan, RefusedOrFailedCloseLeavesTheResultAsItWas) {
  for (const Answer& close : {Answer::bytes({5, 0, 0, 0, 1}), Answer::stall()}) {
    sim::usb::Testbed ownBed;
    auto& own = ownBed.addDevice(sim::usb::ktr6620lxvScanner());
    ScannerScript closing = script(jpegPages(1, kPage));
    closing.close = close;
    sim::usb::Scanner ownScanner(own, closing);
    const Outcome run = scanWith(scan::getDeviceByIOUSB().at(0), "ADF", {});
    EXPECT_EQ(run.result, (scan::ResultPair{true, "1"}));
    EXPECT_EQ(run.log.find("close scanner successfully"), std::string::npos) << run.log;
    if (close.kind == Answer::Kind::Stall) {
      EXPECT_NE(run.log.find("close scanner error. and error is Pipe has stalled, error needs to be cleared\n"),
                std::string::npos)
          << run.log;
    }
  }
}

TEST_F(UsbScan, AbsentScannerIsAnError) {
  const Outcome run = scanWith(scan::Device("KTR6620LXV", "KTR6620LXV", "USB", "", 52, 0x5A3E), "ADF", {});
  EXPECT_EQ(run.result, (scan::ResultPair{false, "error"}));
  EXPECT_NE(run.log.find("init usb interface error. and error is USB: Plugin has no device interface.\n"),
            std::string::npos)
      << run.log;
}

// ---- the commands -----------------------------------------------------------

struct CommandCase {
  const char* name;
  std::string source;
  Answer d;
  Answer s;
  Answer i;
  scan::ResultPair result;
  std::vector<std::string> sent;  // the commands' letters and sources
  std::string sourceAfter;
};

void PrintTo(const CommandCase& c, std::ostream* out) { *out << c.name; }

class Commands : public UsbScan, public ::testing::WithParamInterface<CommandCase> {};

std::string letterAndSource(const std::string& command) {
  const auto end = command.find('\n', 3);
  return command.substr(1, 1) + (command[1] == 'D' || command[1] == 'S' ? " " + command.substr(3, end - 3) : "");
}

TEST_P(Commands, RepliesDecideAndTheScannerIsClosedAfterEveryOutcome) {
  const CommandCase& c = GetParam();
  ScannerScript replies = script(jpegPages(1, kPage));
  replies.dReply = c.d;
  replies.sReply = c.s;
  replies.iReply = c.i;
  const Outcome run = scan(replies, c.source);
  EXPECT_EQ(run.result, c.result);
  std::vector<std::string> sent;
  for (const auto& command : commandTexts()) sent.push_back(letterAndSource(command));
  EXPECT_EQ(sent, c.sent);
  EXPECT_EQ(run.source, c.sourceAfter);
  EXPECT_EQ(closeRequests(), 1u);
  EXPECT_FALSE(device->claimed(sim::usb::kScanInterface));
}

const Answer kOk = Answer::bytes({0x80});
const Answer kAccepted = Answer::bytes({0x00});
const std::vector<std::string> kAll{"D ADF", "S ADF", "I", "X"};

INSTANTIATE_TEST_SUITE_P(
    Replies, Commands,
    ::testing::Values(
        CommandCase{"FlatbedSkipsD", "FB", kOk, kOk, kAccepted, {true, "1"}, {"S FB", "I", "X"}, "FB"},
        CommandCase{"AutoWithPaperIsADF", "AUTO", kOk, kOk, kAccepted, {true, "1"},
                    {"D AUTO", "S ADF", "I", "X"}, "ADF"},
        CommandCase{"AutoWithoutPaperIsFlatbed", "AUTO", Answer::bytes({0xC2}), kOk, kAccepted, {true, "1"},
                    {"D AUTO", "S FB", "I", "X"}, "FB"},
        CommandCase{"FeederWithoutPaper", "ADF", Answer::bytes({0xC2}), kOk, kAccepted, {false, "noPaperInADF"},
                    {"D ADF"}, "ADF"},
        CommandCase{"SourceCannotBeChecked", "ADF", Answer::bytes({0xC4}), kOk, kAccepted,
                    {false, "cannotChekPaperSource"}, {"D ADF"}, "ADF"},
        CommandCase{"NoSuchSourceForD", "ADF", Answer::bytes({0xD0}), kOk, kAccepted,
                    {false, "paperSourceNotExist"}, {"D ADF"}, "ADF"},
        CommandCase{"OtherDReply", "ADF", Answer::bytes({0x42, 0x80}), kOk, kAccepted, {false, "unexpectError"},
                    {"D ADF"}, "ADF"},
        CommandCase{"NoDReply", "ADF", Answer::silence(), kOk, kAccepted, {false, "checkPaperSourceError"},
                    {"D ADF"}, "ADF"},
        CommandCase{"NoSuchSourceForS", "ADF", kOk, Answer::bytes({0xD0}), kAccepted,
                    {false, "paperSourceNotExist"}, {"D ADF", "S ADF"}, "ADF"},
        CommandCase{"OtherSReply", "ADF", kOk, Answer::bytes({0x81}), kAccepted, {false, "unexpectError"},
                    {"D ADF", "S ADF"}, "ADF"},
        CommandCase{"StalledSReply", "ADF", kOk, Answer::stall(), kAccepted, {false, "sndSCommandError"},
                    {"D ADF", "S ADF"}, "ADF"},
        CommandCase{"IAcceptedWhateverFollows", "ADF", kOk, kOk, Answer::bytes({0x00, 0x42, 0x43}), {true, "1"},
                    kAll, "ADF"},
        CommandCase{"IRefused", "ADF", kOk, kOk, Answer::bytes({0x01}), {false, "sndICommandError"},
                    {"D ADF", "S ADF", "I"}, "ADF"},
        CommandCase{"NoIReply", "ADF", kOk, kOk, Answer::silence(), {false, "sndICommandError"},
                    {"D ADF", "S ADF", "I"}, "ADF"}),
    [](const ::testing::TestParamInfo<CommandCase>& test) { return std::string(test.param.name); });

TEST_F(UsbScan, FailedXWriteStopsTheScanAtOnce) {
  ScannerScript refused = script(jpegPages(1, kPage));
  refused.xWrite = Answer::stall();
  const Outcome run = scan(refused);
  EXPECT_EQ(run.result, (scan::ResultPair{false, "sndXCommandError"}));
  EXPECT_FALSE(scanner->streaming());
  EXPECT_EQ(closeRequests(), 1u);
  EXPECT_NE(run.log.find("send X command error. error = Pipe has stalled, error needs to be cleared\n"),
            std::string::npos)
      << run.log;
  EXPECT_EQ(run.log.find("open and perform"), std::string::npos) << run.log;
  EXPECT_LT(run.took, std::chrono::seconds(2));
}

// ---- the page stream --------------------------------------------------------

struct StreamCase {
  const char* name;
  std::function<std::vector<StreamItem>()> stream;
  scan::ResultPair result;
  std::vector<std::string> files;
  bool closeSeen = true;
  std::string logHas{};
  std::size_t blockSize = kShortBlock;
};

void PrintTo(const StreamCase& c, std::ostream* out) { *out << c.name; }

class PageStream : public UsbScan, public ::testing::WithParamInterface<StreamCase> {};

TEST_P(PageStream, EndsWithTheRightResult) {
  const StreamCase& c = GetParam();
  ScannerScript faulty;
  faulty.blockSize = c.blockSize;
  faulty.stream = c.stream();
  const Outcome run = scan(faulty);
  EXPECT_EQ(run.result, c.result);
  EXPECT_EQ(files(), c.files);
  EXPECT_EQ(closeRequests(), c.closeSeen ? 1u : 0u);
  if (!c.logHas.empty()) {
    EXPECT_NE(run.log.find(c.logHas), std::string::npos) << run.log;
  }
  // A silent scanner costs the short read time-out, not a minute.
  EXPECT_LT(run.took, std::chrono::seconds(5));
}

ScanPage page(int pageNo) { return ScanPage{share(jpegPage(pageNo, kPage)), static_cast<std::uint16_t>(pageNo)}; }

ScanPage cut(ScanPage page, std::size_t blocks) {
  page.cutAfterBlocks = blocks;
  return page;
}

ScanPage withBefore(ScanPage page, std::size_t block, Answer answer) {
  page.before[block].push_back(std::move(answer));
  return page;
}

const std::vector<std::string> kTwoFiles{"file-0001.jpg", "file-0002.jpg"};
const std::vector<std::string> kOneFile{"file-0001.jpg"};

INSTANTIATE_TEST_SUITE_P(
    Faults, PageStream,
    ::testing::Values(
        StreamCase{"JamAfterPageTwo",
                   [] { return std::vector{StreamItem::of(page(1)), StreamItem::of(page(2)),
                                           StreamItem::status(0xC3)}; },
                   {false, "paperJunck"}, kTwoFiles},
        StreamCase{"UnknownStatusByte",
                   [] { return std::vector{StreamItem::of(page(1)), StreamItem::status(0x99)}; },
                   {false, "unexpectError"}, kOneFile, true, "unknown scan status = 153"},
        StreamCase{"UnplugMidPage",
                   [] { return std::vector{StreamItem::of(page(1)), StreamItem::of(cut(page(2), 1)),
                                           StreamItem::bare(Answer::gone())}; },
                   {false, "receiveImagesError"}, kOneFile, false, "no devices\nthe scanner is gone"},
        StreamCase{"SilenceMidPage",
                   [] { return std::vector{StreamItem::of(page(1)), StreamItem::of(cut(page(2), 1))}; },
                   {false, "receiveImagesError"}, kOneFile, true, "no data within 800 ms"},
        StreamCase{"SilenceAfterX", [] { return std::vector<StreamItem>{}; }, {false, "receiveImagesError"}, {},
                   true, "no data within 800 ms"},
        StreamCase{"StallMidPageIsCleared",
                   [] { return std::vector{StreamItem::of(withBefore(page(1), 1, Answer::stall())),
                                           StreamItem::jobEnd()}; },
                   {true, "1"}, kOneFile, true, "other error "},
        StreamCase{"EmptyTransferMidPage",
                   [] { return std::vector{StreamItem::of(withBefore(page(1), 1, Answer::bytes({}))),
                                           StreamItem::jobEnd()}; },
                   {true, "1"}, kOneFile, true, "readlen=0"},
        StreamCase{"TransferOf113BytesWhoseHeaderSays100",
                   [] {
                     Bytes odd = sim::usb::blockHeader(2, 100);
                     odd.resize(113, 0x55);
                     return std::vector{StreamItem::of(page(1)),
                                        StreamItem::of(withBefore(page(2), 1, Answer::bytes(odd)))};
                   },
                   {false, "receiveImagesError"}, kOneFile, true, "a transfer of 113 bytes"},
        StreamCase{"PageEndMarkerThatIsNot82",
                   [] {
                     ScanPage marked = page(1);
                     marked.endMarker = 0x81;
                     return std::vector{StreamItem::of(marked), StreamItem::jobEnd()};
                   },
                   {false, "receiveImagesError"}, {}, true, "marked 129"},
        StreamCase{"JobEndInsideAPage",
                   [] { return std::vector{StreamItem::of(page(1)), StreamItem::of(cut(page(2), 1)),
                                           StreamItem::jobEnd()}; },
                   {false, "receiveImagesError"}, kOneFile, true, "the job ended inside a page"},
        StreamCase{"PageThatNeverEnds",
                   [] {
                     // Far beyond three bytes a pixel and 1 MiB for a 64 x 48 scan.
                     auto endless = std::make_shared<Bytes>(std::size_t{1} << 21, 0x11);
                     return std::vector{StreamItem::of(ScanPage{endless, 1})};
                   },
                   {false, "receiveImagesError"}, {}, true, "the page grows beyond", sim::usb::kLargestBlock}),
    [](const ::testing::TestParamInfo<StreamCase>& test) { return std::string(test.param.name); });

TEST_F(UsbScan, StalledPipeIsClearedOnTheDevice) {
  ScannerScript stalled;
  stalled.blockSize = kShortBlock;
  stalled.stream = {StreamItem::of(withBefore(page(1), 1, Answer::stall())), StreamItem::jobEnd()};
  const Outcome run = scan(stalled);
  EXPECT_EQ(run.result, (scan::ResultPair{true, "1"}));
  EXPECT_EQ(device->clearedHalts(), std::vector<std::uint8_t>{sim::usb::kScanIn});
}

}  // namespace
