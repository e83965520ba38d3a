// The network scan run against the scanner simulator on loopback: the
// conversation, the paper-source check, greetings, status bytes and faults
// at every point of the page stream.
#include <gtest/gtest.h>

#include <QImage>
#include <csignal>
#include <array>
#include <chrono>
#include <filesystem>

#include "run_support.h"
#include "scan/conversation/scan_command.h"
#include "scan/conversation/scan_status.h"
#include "scan/conversation/socket_scan_process.h"
#include "scan/pages/file_names.h"
#include "sim/scanner/page_saved.h"
#include "support.h"

namespace {

using namespace runtest;
using sim::scanner::Script;
using sim::scanner::ScannerSim;
using sim::scanner::StreamStop;
using scantest::TempDir;

constexpr QSize kPage(64, 48);

struct Outcome {
  scan::ResultPair result;
  std::string source;  // as the run left it in the shared command
  sim::scanner::Record record;
  std::string log;
  std::chrono::steady_clock::duration took{};
};

class SocketScan : public ::testing::Test {
 protected:
  void SetUp() override { std::signal(SIGPIPE, SIG_DFL); }

  Outcome scan(Script script, const std::string& source = "ADF", const std::string& mode = "GRAY256",
               device::tcp::ChannelOptions options = channel()) {
    ScannerSim sim(std::move(script));
    scan::ScanParam param = scantest::pageParam(mode, mode == "TEXT" ? "BMP" : "JPEG", kPage.width(),
                                                kPage.height(), "NoCombine", 0, dir.str() + "/file");
    param.source = source;
    scan::ScanCommand command(param);
    Outcome outcome;
    ::testing::internal::CaptureStdout();
    const auto start = std::chrono::steady_clock::now();
    outcome.result = scan::SocketScanProcess(networkScanner(sim), command, options).startScan();
    outcome.took = std::chrono::steady_clock::now() - start;
    outcome.log = ::testing::internal::GetCapturedStdout();
    outcome.source = command.param.source;
    outcome.record = sim.finish();
    return outcome;
  }

  static Script pages(int count) {
    Script script;
    for (int page = 1; page <= count; ++page) script.pages.push_back(jpegPage(page, kPage));
    return script;
  }

  std::vector<std::string> files() const { return scantest::fileNames(dir.path()); }

  // Holds the stop's status byte until page `page` is saved: written behind
  // that page's end, it then reaches the receiver alone (page_saved.h).
  std::function<void()> afterSaved(std::size_t page) const {
    return sim::scanner::untilSaved(scan::pageFileName(dir.str() + "/file", static_cast<long long>(page), "jpg"));
  }

  TempDir dir;
};

std::vector<std::string> commandTexts(const sim::scanner::Record& record) {
  std::vector<std::string> texts;
  for (const auto& command : record.commands) texts.push_back(textOf(command));
  return texts;
}

const std::string kI = "\x1bI\nR=300,300\nM=GRAY256\nD=SIN\n\xC2\x80";
const std::string kX =
    "\x1bX\nR=300,300\nM=GRAY256\nT=AUTO\nC=JPEG\nJ=MID\nB=50\nN=50\nA=0,0,64,48\nD=SIN\nIDCard=0\n";

TEST_F(SocketScan, AutoSourceWithPaperSendsDThenSWithADFThenIAndX) {
  const Outcome run = scan(pages(2), "AUTO");
  EXPECT_EQ(run.result, (scan::ResultPair{true, "2"}));
  EXPECT_EQ(commandTexts(run.record),
            (std::vector<std::string>{"\x1b" "D\nAUTO\n\xC2\x80", "\x1bS\nADF\n\xC2\x80", kI, kX}));
  EXPECT_EQ(run.record.received, bytesOf("\x1b" "D\nAUTO\n\xC2\x80\x1bS\nADF\n\xC2\x80" + kI + kX));
  EXPECT_TRUE(run.record.hostClosed);
  EXPECT_EQ(run.source, "ADF");
  EXPECT_EQ(files(), (std::vector<std::string>{"file-0001.jpg", "file-0002.jpg"}));
  EXPECT_NE(run.log.find("check scanner validate info = 0001\n"), std::string::npos) << run.log;
  EXPECT_NE(run.log.find("check paper source. ret = 128\n"), std::string::npos) << run.log;
  EXPECT_NE(run.log.find("TCP Socket attemp to connect ip = "), std::string::npos) << run.log;
  EXPECT_NE(run.log.find("Closing streams.\n"), std::string::npos) << run.log;
}

TEST_F(SocketScan, TextModeSendsTheGammaTableAndSavesBmpPages) {
  Script script;
  script.pages = {textPage(1, kPage), textPage(2, kPage)};
  const Outcome run = scan(script, "FB", "TEXT");
  EXPECT_EQ(run.result, (scan::ResultPair{true, "2"}));
  ASSERT_EQ(run.record.commands.size(), 3u);
  EXPECT_EQ(run.record.commands[2].size(), kX.size() - std::string("GRAY256C=JPEG").size() +
                                               std::string("TEXTC=BMP").size() + 262);
  EXPECT_EQ(files(), (std::vector<std::string>{"file-0001.bmp", "file-0002.bmp"}));
}

struct SourceCase {
  const char* name;
  std::string source;
  std::uint8_t replyD;
  std::uint8_t replyS;
  scan::ResultPair result;
  std::vector<std::string> commands;  // the sources of D and S as sent, "" for no command
  std::string sourceAfter;
};

class PaperSource : public SocketScan, public ::testing::WithParamInterface<SourceCase> {};

TEST_P(PaperSource, DecidesTheSourceAndTheResult) {
  const SourceCase& c = GetParam();
  Script script = pages(1);
  script.replyD = c.replyD;
  script.replyS = c.replyS;
  const Outcome run = scan(script, c.source);
  EXPECT_EQ(run.result, c.result);
  const auto sent = commandTexts(run.record);
  std::vector<std::string> sources;
  for (const std::string& command : sent) {
    if (command[1] == 'D' || command[1] == 'S') sources.push_back(command.substr(0, 2) + command.substr(3, command.size() - 6));
  }
  EXPECT_EQ(sources, c.commands);
  EXPECT_EQ(run.source, c.sourceAfter);
  EXPECT_TRUE(run.record.hostClosed);
}

const scan::ResultPair kOne{true, "1"};

INSTANTIATE_TEST_SUITE_P(
    Table, PaperSource,
    ::testing::Values(
        SourceCase{"AutoWithPaperTakesTheFeeder", "AUTO", 0x80, 0x80, kOne, {"\x1b" "DAUTO", "\x1bSADF"}, "ADF"},
        SourceCase{"AutoWithoutPaperTakesTheGlass", "AUTO", 0xC2, 0x80, kOne, {"\x1b" "DAUTO", "\x1bSFB"}, "FB"},
        SourceCase{"FeederWithPaper", "ADF", 0x80, 0x80, kOne, {"\x1b" "DADF", "\x1bSADF"}, "ADF"},
        SourceCase{"FeederWithoutPaper", "ADF", 0xC2, 0x80, {false, "noPaperInADF"}, {"\x1b" "DADF"}, "ADF"},
        SourceCase{"GlassNeedsNoCheck", "FB", 0xC2, 0x80, kOne, {"\x1bSFB"}, "FB"},
        SourceCase{"NoSuchSource", "AUTO", 0xD0, 0x80, {false, "paperSourceNotExist"}, {"\x1b" "DAUTO"}, "AUTO"},
        SourceCase{"SourceCannotBeChecked", "AUTO", 0xC4, 0x80, {false, "cannotChekPaperSource"}, {"\x1b" "DAUTO"}, "AUTO"},
        SourceCase{"OtherReplyToD", "AUTO", 0x81, 0x80, {false, "unexpectError"}, {"\x1b" "DAUTO"}, "AUTO"},
        SourceCase{"SourceRefusedByS", "ADF", 0x80, 0xD0, {false, "paperSourceNotExist"}, {"\x1b" "DADF", "\x1bSADF"}, "ADF"},
        SourceCase{"OtherReplyToS", "ADF", 0x80, 0xC4, {false, "unexpectError"}, {"\x1b" "DADF", "\x1bSADF"}, "ADF"}),
    [](const auto& row) { return std::string(row.param.name); });

// Every status byte as the reply to D, S and I.
class CommandReply : public SocketScan,
                     public ::testing::WithParamInterface<std::tuple<scan::ScanStatusRow, char>> {};

TEST_P(CommandReply, IsJudgedByTheCommandsOwnKeys) {
  const auto& [row, command] = GetParam();
  Script script = pages(1);
  const auto byte = static_cast<std::uint8_t>(row.byte);
  if (command == 'D') script.replyD = byte;
  if (command == 'S') script.replyS = byte;
  if (command == 'I') script.replyI = byte;
  const Outcome run = scan(script, "ADF");
  scan::ResultPair expected = kOne;  // I: any reply
  if (command == 'D' && byte != 0x80) {
    expected = {false, byte == 0xC2 ? "noPaperInADF" : byte == 0xD0 ? "paperSourceNotExist"
                       : byte == 0xC4 ? "cannotChekPaperSource" : "unexpectError"};
  }
  if (command == 'S' && byte != 0x80) expected = {false, byte == 0xD0 ? "paperSourceNotExist" : "unexpectError"};
  EXPECT_EQ(run.result, expected);
  EXPECT_TRUE(run.record.hostClosed);
}

INSTANTIATE_TEST_SUITE_P(Table, CommandReply,
                         ::testing::Combine(::testing::ValuesIn(scan::ScanStatus), ::testing::Values('D', 'S', 'I')),
                         [](const auto& row) {
                           return std::string(std::get<0>(row.param).key) + "_to_" + std::get<1>(row.param);
                         });

TEST_F(SocketScan, AnyReplyToIIsTaken) {
  Script script = pages(1);
  script.replyI = 0xC3;
  EXPECT_EQ(scan(script).result, kOne);
}

TEST_F(SocketScan, WrongGreetingFailsBeforeAnyCommand) {
  Script script = pages(1);
  script.greeting = "0002";
  const Outcome run = scan(script);
  EXPECT_EQ(run.result, (scan::ResultPair{false, "checkScannerError"}));
  EXPECT_TRUE(run.record.commands.empty());
  EXPECT_TRUE(run.record.hostClosed);
  EXPECT_NE(run.log.find("check scanner validate info = 0002\n"), std::string::npos);
}

// The greeting's first byte may take as long as any reply (the read
// time-out); once it has begun, the rest is judged as soon as four bytes
// came, as soon as the bytes can no longer become "0001", or once the stream
// stayed quiet for the settle time. A settle time far beyond a row's bound
// shows that the row is judged without it.
struct GreetingCase {
  const char* name;
  std::string greeting;
  bool split;                        // in two writes, 50 ms apart
  std::chrono::milliseconds delay;   // after the connection is accepted
  std::chrono::milliseconds read;    // the channel's read time-out
  std::chrono::milliseconds settle;  // and its settle time
  scan::ResultPair result;
  std::chrono::milliseconds atLeast;  // the run takes at least this,
  std::chrono::milliseconds below;    // and less than this (generous for a loaded machine)
};

void PrintTo(const GreetingCase& c, std::ostream* out) { *out << c.name; }

class Greeting : public SocketScan, public ::testing::WithParamInterface<GreetingCase> {};

constexpr auto kTestSettle = 400ms;
constexpr auto kLongSettle = 20000ms;

TEST_P(Greeting, IsJudgedByItsBytesAndTheChannelsTwoWaits) {
  const GreetingCase& c = GetParam();
  Script script = pages(1);
  script.greeting = c.greeting;
  script.splitGreeting = c.split;
  script.greetingDelay = c.delay;
  const Outcome run = scan(script, "ADF", "GRAY256", channel(c.read, c.settle));
  EXPECT_EQ(run.result, c.result);
  EXPECT_GE(run.took, c.atLeast);
  EXPECT_LT(run.took, c.below);
  if (!run.result.status) {
    EXPECT_TRUE(run.record.commands.empty());
  }
  EXPECT_TRUE(run.record.hostClosed);
}

const scan::ResultPair kGreetingError{false, "checkScannerError"};

INSTANTIATE_TEST_SUITE_P(
    Table, Greeting,
    ::testing::Values(
        GreetingCase{"LateByOneSecond", "0001", false, 1000ms, 20000ms, kTestSettle, kOne, 1000ms, 15000ms},
        GreetingCase{"NothingUntilTheReadTimeOut", "", false, 0ms, 1500ms, kTestSettle,
                     {false, "scannerNetworkError"}, 1500ms, 4500ms},
        GreetingCase{"OneByte", "0", false, 0ms, 20000ms, kTestSettle, kGreetingError, kTestSettle, 3000ms},
        GreetingCase{"TwoBytes", "00", false, 0ms, 20000ms, kTestSettle, kGreetingError, kTestSettle, 3000ms},
        GreetingCase{"ThreeBytes", "000", false, 0ms, 20000ms, kTestSettle, kGreetingError, kTestSettle, 3000ms},
        GreetingCase{"WrongLastDigit", "0002", false, 0ms, 20000ms, kLongSettle, kGreetingError, 0ms, 5000ms},
        GreetingCase{"Letters", "ABC", false, 0ms, 20000ms, kLongSettle, kGreetingError, 0ms, 5000ms},
        GreetingCase{"CannotBecomeItAfterTwoBytes", "01", true, 0ms, 20000ms, kLongSettle, kGreetingError, 0ms,
                     5000ms},
        GreetingCase{"RightInTwoWrites", "0001", true, 0ms, 20000ms, kLongSettle, kOne, 0ms, 5000ms}),
    [](const auto& row) { return std::string(row.param.name); });

TEST_F(SocketScan, NoScannerListeningFailsWithANetworkError) {
  scan::ScanParam param = scantest::pageParam("GRAY256", "JPEG", 64, 48, "NoCombine", 0, dir.str() + "/file");
  scan::ScanCommand command(param);
  // Nothing listens on port 54321 of this address.
  const scan::Device absent("KTR6620LXV", "KTR6620LXV(127.0.0.1)", "Net", "127.0.0.1", 52, 0x5A3E);
  ::testing::internal::CaptureStdout();
  const auto result = scan::SocketScanProcess(absent, command, channel(200ms)).startScan();
  ::testing::internal::GetCapturedStdout();
  EXPECT_EQ(result, (scan::ResultPair{false, "scannerNetworkError"}));
}

struct SilenceCase {
  const char* name;
  void (*set)(Script&);
};

class SilentScanner : public SocketScan, public ::testing::WithParamInterface<SilenceCase> {};

TEST_P(SilentScanner, FailsWithANetworkErrorOnceTheReadTimesOut) {
  Script script = pages(2);
  GetParam().set(script);
  const Outcome run = scan(script, "ADF", "GRAY256", channel(200ms));
  EXPECT_EQ(run.result, (scan::ResultPair{false, "scannerNetworkError"}));
  EXPECT_TRUE(run.record.hostClosed);
}

INSTANTIATE_TEST_SUITE_P(
    Table, SilentScanner,
    ::testing::Values(
        SilenceCase{"AfterConnect", [](Script& s) { s.silentAfterConnect = true; }},
        SilenceCase{"AfterD", [](Script& s) { s.silentAfterD = true; }},
        SilenceCase{"AfterX", [](Script& s) { s.silentAfterX = true; }},
        SilenceCase{"BetweenPages",
                    [](Script& s) { s.stop = StreamStop{sim::scanner::messagesThroughPage(s, 1), 0, StreamStop::Action::silence, 0}; }},
        SilenceCase{"MidPage",
                    [](Script& s) { s.stop = StreamStop{sim::scanner::messagesThroughPage(s, 1) + 1, 0, StreamStop::Action::silence, 0}; }},
        SilenceCase{"InsideAHeader",
                    [](Script& s) { s.stop = StreamStop{0, 5, StreamStop::Action::silence, 0}; }}),
    [](const auto& row) { return std::string(row.param.name); });

// Where in the page stream the scanner closes: whole messages, then bytes of the next.
struct CloseCase {
  const char* name;
  std::size_t (*messages)(const Script&);
  std::size_t bytes;
  scan::ResultPair result;
  std::vector<std::string> files;
};

class ClosingScanner : public SocketScan, public ::testing::WithParamInterface<CloseCase> {};

TEST_P(ClosingScanner, EndsTheScanAsTheStreamStands) {
  Script script = pages(2);
  script.blockSize = 200;  // pages of several blocks
  script.stop = StreamStop{GetParam().messages(script), GetParam().bytes, StreamStop::Action::close, 0};
  const Outcome run = scan(script);
  EXPECT_EQ(run.result, GetParam().result);
  EXPECT_EQ(files(), GetParam().files);
}

const scan::ResultPair kNetworkError{false, "scannerNetworkError"};

std::size_t atStart(const Script&) { return 0; }
std::size_t afterOneBlock(const Script&) { return 1; }
std::size_t afterPage1(const Script& s) { return sim::scanner::messagesThroughPage(s, 1); }
std::size_t beforePage1End(const Script& s) { return sim::scanner::messagesThroughPage(s, 1) - 1; }
std::size_t insidePage2(const Script& s) { return sim::scanner::messagesThroughPage(s, 1) + 2; }

INSTANTIATE_TEST_SUITE_P(
    Table, ClosingScanner,
    ::testing::Values(
        CloseCase{"BeforeAnyPage", atStart, 0, {true, "0"}, {}},
        CloseCase{"InsideAHeader", atStart, 7, kNetworkError, {}},
        CloseCase{"InsideAPayload", atStart, 12 + 50, kNetworkError, {}},
        CloseCase{"BetweenBlocks", afterOneBlock, 0, kNetworkError, {}},
        CloseCase{"InsideAPageEndRecord", beforePage1End, 4, kNetworkError, {}},
        CloseCase{"AfterTheFirstPage", afterPage1, 0, {true, "1"}, {"file-0001.jpg"}},
        CloseCase{"InsideTheSecondPage", insidePage2, 0, kNetworkError, {"file-0001.jpg"}}),
    [](const auto& row) { return std::string(row.param.name); });

// A status byte in place of page data: at the start, between pages, inside a page.
struct StatusPoint {
  const char* name;
  std::size_t (*messages)(const Script&);
  bool insidePage;
  std::size_t pagesBefore;
};

const StatusPoint kStatusPoints[] = {
    {"AtTheStart", atStart, false, 0},
    {"AfterPage1", afterPage1, false, 1},
    {"InsidePage2", insidePage2, true, 1},
};

class StatusByte : public SocketScan,
                   public ::testing::WithParamInterface<std::tuple<scan::ScanStatusRow, StatusPoint>> {};

TEST_P(StatusByte, EndsTheScanWithItsKey) {
  const auto& [row, point] = GetParam();
  Script script = pages(3);
  script.blockSize = 200;
  script.stop = StreamStop{point.messages(script), 0, StreamStop::Action::status, static_cast<std::uint8_t>(row.byte)};
  if (!point.insidePage && point.pagesBefore > 0) script.beforeStopStatus = afterSaved(point.pagesBefore);
  const Outcome run = scan(script);
  scan::ResultPair expected{false, std::string(row.key)};
  if (row.byte == scan::kScanFinished) {
    // The end of the job; inside a page it would lose that page.
    expected = point.insidePage ? kNetworkError : scan::ResultPair{true, std::to_string(point.pagesBefore)};
  }
  EXPECT_EQ(run.result, expected);
  EXPECT_EQ(files().size(), point.pagesBefore);
  EXPECT_TRUE(run.record.hostClosed);
}

INSTANTIATE_TEST_SUITE_P(Table, StatusByte,
                         ::testing::Combine(::testing::ValuesIn(scan::ScanStatus), ::testing::ValuesIn(kStatusPoints)),
                         [](const auto& row) {
                           return std::string(std::get<0>(row.param).key) + "_" + std::get<1>(row.param).name;
                         });

TEST_F(SocketScan, JamAfterPage2KeepsTwoPagesAndFails) {
  Script script = pages(4);
  script.stop = StreamStop{sim::scanner::messagesThroughPage(script, 2), 0, StreamStop::Action::status, 0xC3};
  script.beforeStopStatus = afterSaved(2);
  const Outcome run = scan(script);
  EXPECT_EQ(run.result, (scan::ResultPair{false, "paperJunck"}));
  EXPECT_EQ(files(), (std::vector<std::string>{"file-0001.jpg", "file-0002.jpg"}));
}

// A byte the table lacks, alone and last after a page: a status byte at once
// when it cannot begin a header of the stream, otherwise once the stream has
// stayed quiet for the settle time behind it.
struct LoneByteCase {
  const char* name;
  std::uint8_t byte;
  std::array<std::uint8_t, 3> headerStart;
};

class UnknownStatusByte : public SocketScan, public ::testing::WithParamInterface<LoneByteCase> {};

TEST_P(UnknownStatusByte, FailsAsUnexpectErrorWithinTheSettleTime) {
  Script script = pages(2);
  script.headerStart = GetParam().headerStart;
  script.stop = StreamStop{sim::scanner::messagesThroughPage(script, 1), 0, StreamStop::Action::status, GetParam().byte};
  script.beforeStopStatus = afterSaved(1);
  const Outcome run = scan(script, "ADF", "GRAY256", channel(20000ms, kTestSettle));
  EXPECT_EQ(run.result, (scan::ResultPair{false, "unexpectError"}));
  EXPECT_LT(run.took, kTestSettle + 2000ms);
  EXPECT_NE(run.log.find("unknown scan status = " + std::to_string(GetParam().byte) + "\n"), std::string::npos)
      << run.log;
  EXPECT_EQ(files(), std::vector<std::string>{"file-0001.jpg"});
}

INSTANTIATE_TEST_SUITE_P(
    Table, UnknownStatusByte,
    ::testing::Values(LoneByteCase{"Byte81", 0x81, {0x42, 0x4C, 0x4B}}, LoneByteCase{"Byte00", 0x00, {0x42, 0x4C, 0x4B}},
                      LoneByteCase{"ByteFF", 0xFF, {0x42, 0x4C, 0x4B}},
                      LoneByteCase{"Byte81LikeTheHeaders", 0x81, {0x81, 0x00, 0x00}},
                      LoneByteCase{"Byte00LikeTheHeaders", 0x00, {0x00, 0x00, 0x00}},
                      LoneByteCase{"TheMarkAlone", 0x82, {0x42, 0x4C, 0x4B}}),
    [](const auto& row) { return std::string(row.param.name); });

using scantest::HeaderStart;

class AnyHeaderStart
    : public SocketScan,
      public ::testing::WithParamInterface<std::tuple<HeaderStart, sim::scanner::Delivery, std::string>> {};

// Where the receiver's reads of the page stream ended, from its log: every
// read logs its count.
std::vector<std::size_t> readEnds(const std::string& log) {
  static const std::string kRead = "receive image len = ";
  std::vector<std::size_t> ends;
  std::size_t total = 0;
  for (std::size_t at = log.find(kRead); at != std::string::npos; at = log.find(kRead, at + 1)) {
    const long count = std::stol(log.substr(at + kRead.size()));
    if (count > 0) ends.push_back(total += static_cast<std::size_t>(count));
  }
  return ends;
}

// However TCP cuts the stream into reads, the pages come byte for byte; only
// a cut that the bytes alone leave ambiguous (page_stream.h) may give
// anything else, and then the run still ends.
TEST_P(AnyHeaderStart, GivesThePagesByteForByte) {
  const auto& [start, delivery, mode] = GetParam();
  Script script;
  for (int page = 1; page <= 3; ++page) {
    script.pages.push_back(mode == "TEXT" ? textPage(page, kPage) : jpegPage(page, kPage));
  }
  script.blockSize = 200;  // pages of several blocks
  script.headerStart = start;
  script.delivery = delivery;
  // The scanner closes behind its job-end byte: judged at once, no settle.
  // No pause of the simulator between two bytes may pass for one.
  const auto messages = sim::scanner::pageStreamMessages(script);
  script.stop = StreamStop{messages.size(), 0, StreamStop::Action::close, 0};

  const Outcome run = scan(script, "FB", mode, channel(20000ms, 20000ms));
  if (scantest::misreadByItsLength(messages, readEnds(run.log))) return;
  EXPECT_EQ(run.result, (scan::ResultPair{true, "3"}));
  expectSavedAsWritten(scantest::pageParam(mode, mode == "TEXT" ? "BMP" : "JPEG", kPage.width(), kPage.height(),
                                           "NoCombine", 0, ""),
                       script.pages, dir.path());
}

INSTANTIATE_TEST_SUITE_P(Table, AnyHeaderStart,
                         ::testing::Combine(::testing::ValuesIn(scantest::kHeaderStarts),
                                            ::testing::ValuesIn(sim::scanner::allDeliveries()),
                                            ::testing::Values("GRAY256", "TEXT")),
                         [](const auto& row) {
                           return scantest::hexName(std::get<0>(row.param)) + "_" + std::get<1>(row.param).name() +
                                  "_" + std::get<2>(row.param);
                         });

TEST_F(SocketScan, APageThatNeverEndsIsCutOffAtItsLimit) {
  // 1.1 MB of blocks for a 64 x 48 page (limit 3 x 64 x 48 + 1 MiB) and no page end.
  Script script;
  script.pages = {Bytes(1100000, 0x55)};
  script.stop = StreamStop{sim::scanner::messagesThroughPage(script, 1) - 1, 0, StreamStop::Action::silence, 0};
  const Outcome run = scan(script, "ADF", "GRAY256", channel(2000ms));
  EXPECT_EQ(run.result, kNetworkError);
  EXPECT_NE(run.log.find("page exceeds 1057792 bytes"), std::string::npos);
  EXPECT_TRUE(files().empty());
}

TEST_F(SocketScan, AScannerThatResetsTheConnectionBeforeXFailsTheScan) {
  // The X command cannot be written: no page will come, so no success with 0 pages.
  Script script = pages(1);
  script.resetAfterReplyTo = 'I';
  const Outcome run = scan(script);
  EXPECT_EQ(run.result, kNetworkError);
  EXPECT_EQ(run.record.commands.size(), 3u);
}

TEST_F(SocketScan, APageThatCannotBeSavedFailsTheScanOnlyAtItsEnd) {
  Script script = pages(3);
  script.pages[1] = {1, 2, 3, 4, 5};  // no picture
  const Outcome run = scan(script);
  EXPECT_EQ(run.result, (scan::ResultPair{false, "saveImageError"}));
  // The rest of the job was received and saved.
  EXPECT_EQ(files(), (std::vector<std::string>{"file-0001.jpg", "file-0003.jpg"}));
  EXPECT_TRUE(run.record.hostClosed);
}

TEST_F(SocketScan, APageLargerThanTheScanAskedForIsRefusedUndecoded) {
  Script script = pages(2);
  // A small picture whose header claims 65000 x 65000 (4 GB to decode).
  script.pages[0] = scantest::withDeclaredSize(script.pages[0], 65000, 65000);
  const Outcome run = scan(script);
  EXPECT_EQ(run.result, (scan::ResultPair{false, "saveImageError"}));
  EXPECT_NE(run.log.find("a page of 65000 x 65000 pixels for a scan of 64 x 48"), std::string::npos) << run.log;
  EXPECT_EQ(files(), (std::vector<std::string>{"file-0002.jpg"}));
}

}  // namespace
