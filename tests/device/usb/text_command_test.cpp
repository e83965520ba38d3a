// One text command and its reply against the simulated printer.
#include <gtest/gtest.h>

#include <QCoreApplication>

#include <optional>
#include <type_traits>
#include <utility>
#include <string>
#include <vector>

#include "sim_fixture.h"
#include "stdout_capture.h"
#include "device/common/log.h"
#include "device/usb/text_command.h"

namespace {

using device::usb::usbInteraction;
using sim::usb::Answer;
using sim::usb::Bytes;

constexpr const char* kFailureLine = "function getIPInfoByUSB throws error";

int count(const std::vector<std::string>& lines, const std::string& line) {
  return static_cast<int>(std::count(lines.begin(), lines.end(), line));
}

std::optional<std::string> ask(const std::string& command) {
  return usbInteraction(command, kProductId, kVendorId);
}

// Runs what is waiting on the main queue.
void runMainQueue() { QCoreApplication::sendPostedEvents(); }

// Work another test left on the main queue is run before the test and
// outside its capture; the test's own after it.
class TextCommandTest : public SimTest {
 protected:
  void SetUp() override {
    SimTest::SetUp();
    runMainQueue();
  }
  void TearDown() override { runMainQueue(); }
};

using TextCommand = TextCommandTest;

TEST_F(TextCommand, SendsTheCommandBytesAloneAndReturnsTheReply) {
  auto& printer = addPrinter();
  printer.replyToCommand("CheckwifiAP?", Answer::text("8014;KTR-AP;1;secret;"));
  StdoutCapture capture;

  EXPECT_EQ(ask("CheckwifiAP?"), "8014;KTR-AP;1;secret;");

  const std::string sent = "CheckwifiAP?";
  EXPECT_EQ(printer.received(kBulkOut), (std::vector<Bytes>{Bytes(sent.begin(), sent.end())}));
  EXPECT_FALSE(printer.claimed(0));
  const auto lines = capture.lines();
  ASSERT_GE(lines.size(), 3u);
  EXPECT_EQ(lines.front(), "run in usbInteraction and cmd = CheckwifiAP?");
  EXPECT_EQ(count(lines, "usb commucation: write cmd = CheckwifiAP?"), 1);
  EXPECT_EQ(lines.back(), "run in usbInteraction and cmd = CheckwifiAP? and receivedMessage =  8014;KTR-AP;1;secret;");
  EXPECT_EQ(count(lines, kFailureLine), 0);
}

struct ReplyCase {
  const char* name;
  Answer answer;
  std::optional<std::string> expected;
  bool failureLine;
};

class TextCommandReply : public TextCommandTest, public ::testing::WithParamInterface<ReplyCase> {};

TEST_P(TextCommandReply, IsReturnedOnlyWhenWholeAndValid) {
  auto& printer = addPrinter();
  printer.replyToCommand("Checkwifiserver?", GetParam().answer);
  StdoutCapture capture;
  EXPECT_EQ(ask("Checkwifiserver?"), GetParam().expected);
  runMainQueue();
  EXPECT_EQ(count(capture.lines(), kFailureLine), GetParam().failureLine ? 1 : 0);
  EXPECT_FALSE(printer.claimed(0));
}

INSTANTIATE_TEST_SUITE_P(
    Replies, TextCommandReply,
    ::testing::Values(
        ReplyCase{"Exactly16Bytes", Answer::text("8012;0123456789A"), "8012;0123456789A", false},
        ReplyCase{"Only15Bytes", Answer::text("8012;0123456789"), std::nullopt, true},
        ReplyCase{"Exactly600Bytes", Answer::text(std::string(600, 'z')), std::string(600, 'z'), false},
        ReplyCase{"MoreThan600Bytes", Answer::text(std::string(601, 'z')), std::nullopt, true},
        // The exchange worked; the text did not: no value, no failure line.
        ReplyCase{"InvalidUtf8", Answer::bytes({'8', '0', '1', '2', 0xFF, 0xFE, 'a', 'a', 'a', 'a', 'a', 'a', 'a', 'a',
                                                'a', 'a'}),
                  std::nullopt, false},
        ReplyCase{"NoAnswer", Answer::silence(), std::nullopt, true},
        ReplyCase{"Stall", Answer::stall(), std::nullopt, true},
        ReplyCase{"DeviceGone", Answer::gone(), std::nullopt, true}),
    [](const auto& tested) { return std::string(tested.param.name); });

TEST_F(TextCommand, InvalidReplyIsLoggedAsNil) {
  auto& printer = addPrinter();
  printer.replyToCommand("CheckwifiSTA?", Answer::bytes(Bytes(16, 0xC0)));
  StdoutCapture capture;
  EXPECT_EQ(ask("CheckwifiSTA?"), std::nullopt);
  EXPECT_EQ(capture.lines().back(), "run in usbInteraction and cmd = CheckwifiSTA? and receivedMessage =  nil");
}

TEST_F(TextCommand, NoPrinterGivesNoValueAndTheFailureLineAfterTheCallersOwnLine) {
  StdoutCapture capture;
  EXPECT_EQ(ask("CheckwifiAP?"), std::nullopt);
  device::logLine("the caller's line on the same failure");
  EXPECT_EQ(capture.lines(), (std::vector<std::string>{"run in usbInteraction and cmd = CheckwifiAP?",
                                                       "the caller's line on the same failure"}));
  runMainQueue();
  EXPECT_EQ(capture.lines(), (std::vector<std::string>{"run in usbInteraction and cmd = CheckwifiAP?",
                                                       "the caller's line on the same failure", kFailureLine}));
}

TEST_F(TextCommand, LogLinesShowWhatTheCallerLetsThemWhileThePrinterGetsTheWholeCommand) {
  auto& printer = addPrinter();
  const std::string command = "SetwifiAP=net\r\n6\r\npa\x01ss\r\nS;";
  printer.replyToCommand(command, Answer::text("8004,net\r\n6\r\npa\x01ss"));
  StdoutCapture capture;
  const auto hidden = [](std::string_view text) {
    std::string shown(text);
    for (std::size_t at = shown.find("pa\x01ss"); at != std::string::npos; at = shown.find("pa\x01ss")) {
      shown.replace(at, 5, "***");
    }
    return shown;
  };

  EXPECT_EQ(usbInteraction(command, kProductId, kVendorId, hidden), "8004,net\r\n6\r\npa\x01ss");

  EXPECT_EQ(printer.received(kBulkOut), (std::vector<Bytes>{Bytes(command.begin(), command.end())}));
  const auto lines = capture.lines();
  std::string log;
  for (const std::string& line : lines) log += line + "\n";
  EXPECT_EQ(log.find("pa\x01ss"), std::string::npos) << log;
  for (const char* line : {"run in usbInteraction and cmd = SetwifiAP=net\r\n6\r\n***\r\nS;\n",
                           "usb commucation: write cmd = SetwifiAP=net\r\n6\r\n***\r\nS;\n",
                           "run in usbInteraction and cmd = SetwifiAP=net\r\n6\r\n***\r\nS; and receivedMessage =  "
                           "8004,net\r\n6\r\n***\n"}) {
    EXPECT_NE(log.find(line), std::string::npos) << line << " not in\n" << log;
  }
}

// The product ID comes first here and last in createDevice: a swapped pair
// must not compile, and a device carrying the swapped pair is not the printer.
using device::usb::LogText;
static_assert(std::is_invocable_v<decltype(&usbInteraction), std::string_view, device::usb::ProductId,
                                  device::usb::VendorId, const LogText&>);
static_assert(!std::is_invocable_v<decltype(&usbInteraction), std::string_view, device::usb::VendorId,
                                   device::usb::ProductId, const LogText&>);
static_assert(!std::is_invocable_v<decltype(&usbInteraction), std::string_view, int, int, const LogText&>);

TEST_F(TextCommand, ADeviceWithTheIdsSwappedIsNotThePrinter) {
  auto swapped = sim::usb::ktr6620lxv();
  std::swap(swapped.vendorId, swapped.productId);
  addPrinter(swapped).replyToCommand("CheckwifiAP?", Answer::text("8014;KTR-AP;1;secret;"));
  EXPECT_EQ(usbInteraction("CheckwifiAP?", kProductId, kVendorId), std::nullopt);
}

TEST_F(TextCommand, WriteStallGivesNoValueAndReadsNothing) {
  auto& printer = addPrinter();
  printer.onOut(kBulkOut, [](const Bytes&) { return Answer::stall(); });
  printer.queueIn(kBulkIn, Answer::text("8014 never read here"));
  StdoutCapture capture;
  EXPECT_EQ(ask("CheckwifiAP?"), std::nullopt);
  EXPECT_EQ(count(capture.lines(), "usb commucation: write cmd = CheckwifiAP?"), 0);
}

TEST_F(TextCommand, InterfaceClaimedByAnotherProgramGivesNoValueAndSendsNothing) {
  auto& printer = addPrinter();
  printer.holdInterface(0, "usbfs");
  printer.replyToCommand("CheckwifiAP?", Answer::text("8014 hello there!"));
  EXPECT_EQ(ask("CheckwifiAP?"), std::nullopt);
  EXPECT_TRUE(printer.received(kBulkOut).empty());
}

TEST_F(TextCommand, KernelPrinterDriverIsSetAsideForTheExchangeAndGivenBack) {
  auto& printer = addPrinter();
  printer.holdInterface(0, "usblp");
  printer.replyToCommand("CheckwifiAP?", Answer::text("8014 hello there!"));
  EXPECT_EQ(ask("CheckwifiAP?"), "8014 hello there!");
  EXPECT_TRUE(printer.driverDetached(0));
  EXPECT_TRUE(printer.driverReattached(0));
  // Given back, the driver holds the interface again: the next exchange
  // sets it aside anew.
  EXPECT_EQ(ask("CheckwifiAP?"), "8014 hello there!");
  EXPECT_FALSE(printer.claimed(0));
}

TEST_F(TextCommand, InterfaceWithoutAWritePipeGivesNoValue) {
  auto config = sim::usb::ktr6620lxv();
  config.interfaces[0].endpoints = {{0x81, 0x02, 512, 0}, {0x82, 0x02, 512, 0}};
  addPrinter(config);
  StdoutCapture capture;
  EXPECT_EQ(ask("CheckwifiAP?"), std::nullopt);
  runMainQueue();
  EXPECT_EQ(count(capture.lines(), kFailureLine), 1);
}

}  // namespace
