// The scanner application's build of the layer: tagged failure lines, the
// non-seizing open that only logs, the logging close, control requests and
// reads that announce themselves.
#include <gtest/gtest.h>

#include <array>
#include <stdexcept>
#include <string>
#include <vector>

#include "sim_fixture.h"
#include "stdout_capture.h"
#include "device/usb/device_handle.h"
#include "device/usb/errors.h"
#include "device/common/flavour.h"

namespace {

using namespace device;
using namespace device::usb;
using sim::usb::Answer;
using sim::usb::Bytes;
using Lines = std::vector<std::string>;

TEST(ScannerFlavour, IsFixedForTheProcess) {
  EXPECT_EQ(flavour(), Flavour::Scanner);
  EXPECT_THROW(setFlavour(Flavour::StatusMonitor), std::logic_error);
}

TEST(ScannerChecks, FailureIsLoggedWithItsTagThenThrown) {
  StdoutCapture capture;
  try {
    throwIfNotSuccess(5, "func readBytes");
    FAIL() << "no throw";
  } catch (const IOReturnError& error) {
    EXPECT_EQ(error.code(), 5);
  }
  EXPECT_EQ(capture.lines(), Lines{"error happened at func readBytes and error is: Optional(\"IOError (5)\")"});
}

TEST(ScannerChecks, ControlRequestFailureIsThrownWithoutALine) {
  StdoutCapture capture;
  EXPECT_THROW(throwIfControlRequestNotSuccess(kIOUSBPipeStalled), IOReturnError);
  EXPECT_TRUE(capture.lines().empty());
}

class Scanner : public PrinterTest {};

TEST_F(Scanner, FailedWriteLogsTheTagWithTwoBlanksAndThrowsTheCode) {
  interface->open();
  printer->onOut(kBulkOut, [](const Bytes&) { return Answer::stall(); });
  const Bytes command{0x1B, 'D', 0x0A};
  StdoutCapture capture;
  try {
    interface->write(command, 1);
    FAIL() << "no throw";
  } catch (const IOReturnError& error) {
    EXPECT_EQ(error.code(), kIOUSBPipeStalled);
  }
  EXPECT_EQ(capture.lines(),
            Lines{"error happened at func write  and error is: Optional(\"Pipe has stalled, error needs to be "
                  "cleared\")"});
}

TEST_F(Scanner, SuccessfulWriteLogsNothing) {
  interface->open();
  StdoutCapture capture;
  const Bytes command{0x1B, 'S', 0x0A};
  interface->write(command, 1);
  EXPECT_TRUE(capture.lines().empty());
}

TEST_F(Scanner, ReadLogsPipeStatusLengthAndBytes) {
  interface->open();
  printer->queueIn(kBulkIn, Answer::text("PONG"));
  StdoutCapture capture;
  EXPECT_EQ(interface->readBytes(1, 64, 2), Bytes({'P', 'O', 'N', 'G'}));
  EXPECT_EQ(capture.lines(),
            (Lines{"pipe status = Optional(0)", "readBytes function. readlen=4", "get bytes data is [80, 79, 78, 71]"}));
}

TEST_F(Scanner, ReadAfterAStallShowsTheStalledPipeAndStillReads) {
  interface->open();
  printer->queueIn(kBulkIn, Answer::stall());
  printer->queueIn(kBulkIn, Answer::bytes({0x80}));
  EXPECT_THROW(interface->readBytes(1, 64, 2), IOReturnError);
  StdoutCapture capture;
  EXPECT_EQ(interface->readBytes(1, 64, 2), Bytes{0x80});
  EXPECT_EQ(capture.lines().front(), "pipe status = Optional(-536854449)");
}

TEST_F(Scanner, EmptyReadBelowMinimumLogsOnlyThePipeStatus) {
  interface->open();
  printer->queueIn(kBulkIn, Answer::bytes({}));
  StdoutCapture capture;
  try {
    interface->readBytes(1, 64, 2);
    FAIL() << "no throw";
  } catch (const QDIOException& error) {
    EXPECT_EQ(error.error(), QDIOError::couldNotGetEnoughData);
  }
  EXPECT_EQ(capture.lines(), Lines{"pipe status = Optional(0)"});
}

TEST_F(Scanner, ReadTimeOutIsLoggedWithTheReadTag) {
  interface->open();
  StdoutCapture capture;
  EXPECT_THROW(interface->readBytes(1, 64, 2), IOReturnError);
  EXPECT_EQ(capture.lines(), (Lines{"pipe status = Optional(0)",
                                    "error happened at func readBytes and error is: Optional(\"Transaction timed "
                                    "out\")"}));
}

TEST_F(Scanner, NonSeizingOpenOfAHeldInterfaceOnlyLogsAndTheHandlerStillRuns) {
  printer->holdInterface(0, "usbfs");
  StdoutCapture capture;
  IOReturn readCode = kIOReturnSuccess;
  interface->openAndPerform(false, [&] {
    try {
      interface->readBytes(1, 64, 2);
    } catch (const IOReturnError& error) {
      readCode = error.code();
    }
  });
  EXPECT_EQ(readCode, kIOReturnNotOpen);
  EXPECT_EQ(capture.lines(),
            (Lines{"open interface failed", "pipe status = Optional(0)",
                   "error happened at func readBytes and error is: Optional(\"Device not open\")",
                   "error happened at func close and error is: Optional(\"Device not open\")", "interface closed"}));
}

TEST_F(Scanner, SeizingOpenFailureIsTaggedAndThrown) {
  printer->unplug();
  StdoutCapture capture;
  EXPECT_THROW(interface->open(true), IOReturnError);
  EXPECT_EQ(capture.lines(),
            Lines{"error happened at func open-seize-true and error is: Optional(\"No such device\")"});
}

TEST_F(Scanner, CloseAnnouncesItself) {
  interface->open();
  StdoutCapture capture;
  interface->close();
  EXPECT_EQ(capture.lines(), Lines{"interface closed"});
  EXPECT_FALSE(printer->claimed(0));
}

TEST_F(Scanner, ControlRequestLogsItsCallOnlyWhetherOrNotItWorks) {
  std::array<std::uint8_t, 1280> reply{};
  IOUSBDevRequestTO open;
  open.bmRequestType = 0xC0;
  open.bRequest = 1;
  open.wValue = 2;
  open.wLength = 0x0500;
  open.pData = reply;
  open.wLenDone = 255;
  open.noDataTimeout = 2000;
  open.completionTimeout = 3000;

  printer->replyToControl(0xC0, 1, Answer::bytes({0x80, 0, 0, 0, 0}));
  {
    StdoutCapture capture;
    interface->sendControlRequest(open, 0);
    EXPECT_EQ(capture.lines(), Lines{"sendControlRequest"});
    EXPECT_EQ(reply[0], 0x80);
  }
  printer->replyToControl(0xC0, 1, Answer::stall());
  {
    StdoutCapture capture;
    EXPECT_THROW(interface->sendControlRequest(open, 0), IOReturnError);
    EXPECT_EQ(capture.lines(), Lines{"sendControlRequest"});
  }
}

TEST_F(Scanner, ClearingTheStallOfAnUnknownPipeIsTagged) {
  StdoutCapture capture;
  EXPECT_THROW(interface->clearPipeStall(true, 5), IOReturnError);
  EXPECT_EQ(capture.lines(),
            Lines{"error happened at func clearPipeStall-true  and error is: Optional(\"Pipe ref not recognized\")"});
}

using ScannerLookup = SimTest;

TEST_F(ScannerLookup, MissingDeviceThrowsWithoutALine) {
  StdoutCapture capture;
  EXPECT_THROW(createDevice(kVendorId, kProductId), QDIOException);
  EXPECT_TRUE(capture.lines().empty());
}

TEST_F(ScannerLookup, EveryInterfaceIsHandedBackInOrder) {
  addPrinter(printerWithThreeInterfaces());
  const auto all = createDevice(kVendorId, kProductId).createInterfaceInterfaces();
  ASSERT_EQ(all.size(), 3u);
  EXPECT_EQ(all[1].getInterfaceNum(), 1);
}

}  // namespace
