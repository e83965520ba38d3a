// Device and interface handles, pipes and bulk transfers against the
// simulated printer (status monitor's flavour).
#include <gtest/gtest.h>

#include <chrono>
#include <ostream>
#include <stdexcept>
#include <string>
#include <thread>
#include <vector>

#include "sim_fixture.h"
#include "stdout_capture.h"
#include "device/usb/device_handle.h"
#include "device/usb/errors.h"
#include "device/usb/text_command.h"
#include "open_descriptors.h"

namespace {

using namespace device::usb;
using sim::usb::Answer;
using sim::usb::Bytes;

template <typename F>
IOReturn codeThrownBy(F&& operation) {
  try {
    operation();
  } catch (const IOReturnError& error) {
    return error.code();
  }
  return kIOReturnSuccess;
}

template <typename F>
std::optional<QDIOError> qdioThrownBy(F&& operation) {
  try {
    operation();
  } catch (const QDIOException& error) {
    return error.error();
  }
  return std::nullopt;
}

// Every libusb context and opened device holds file descriptors.
using test_support::openDescriptors;

// umockdev closes its end of a finished connection a moment later, on a
// thread of its own: whether the count comes down to `expected` in time.
bool descriptorsComeBackTo(std::size_t expected) {
  const auto end = std::chrono::steady_clock::now() + std::chrono::seconds(5);
  while (openDescriptors() > expected) {
    if (std::chrono::steady_clock::now() > end) {
      return false;
    }
    std::this_thread::sleep_for(std::chrono::milliseconds(10));
  }
  return true;
}

using DeviceLookup = SimTest;

TEST_F(DeviceLookup, NoDeviceWithTheIdsThrowsNoDeviceInterface) {
  auto other = sim::usb::ktr6620lxv();
  other.productId = 0x0035;
  addPrinter(other);
  EXPECT_EQ(qdioThrownBy([] { createDevice(kVendorId, kProductId); }), QDIOError::pluginHasNoUsbDeviceInterface);
}

TEST_F(DeviceLookup, FindsThePrinterAmongOtherDevices) {
  auto other = sim::usb::ktr6620lxv();
  other.vendorId = 0x1234;
  addPrinter(other);
  addPrinter();
  const auto device = createDevice(kVendorId, kProductId);
  EXPECT_EQ(device.createInterfaceInterface().getInterfaceNum(), 0);
}

TEST_F(DeviceLookup, AnUnpluggedDeviceIsNoLongerFound) {
  auto& printer = addPrinter();
  { createDevice(kVendorId, kProductId); }
  printer.unplug();
  EXPECT_EQ(qdioThrownBy([] { createDevice(kVendorId, kProductId); }), QDIOError::pluginHasNoUsbDeviceInterface);
}

TEST_F(DeviceLookup, FailuresGiveBackEveryContextAndHandle) {
  auto& printer = addPrinter();
  printer.holdInterface(0, "usbfs");
  const auto failEveryWay = [] {
    EXPECT_THROW(createDevice(kVendorId, device::usb::ProductId(kProductId.value + 1)), QDIOException);
    EXPECT_THROW(createDevice(kVendorId, kProductId).createInterfaceInterface(0x07), QDIOException);
    auto interface = createDevice(kVendorId, kProductId).createInterfaceInterface();
    EXPECT_THROW(interface.openAndPerform(false, [] {}), IOReturnError);
    EXPECT_EQ(usbInteraction("CheckwifiAP?", kProductId, kVendorId), std::nullopt);
  };
  failEveryWay();  // whatever libusb sets up once per process
  const std::size_t before = openDescriptors();
  // A leak keeps at least one descriptor a round: far more than umockdev
  // may still hold for a moment.
  for (int round = 0; round < 10; ++round) {
    failEveryWay();
  }
  EXPECT_TRUE(descriptorsComeBackTo(before)) << openDescriptors() << " open, " << before << " before";
}

using InterfaceLookup = SimTest;

TEST_F(InterfaceLookup, FirstInterfaceByDefaultAndAllOnRequest) {
  addPrinter(printerWithThreeInterfaces());
  const auto device = createDevice(kVendorId, kProductId);
  EXPECT_EQ(device.createInterfaceInterface().getInterfaceNum(), 0);
  const auto all = device.createInterfaceInterfaces();
  ASSERT_EQ(all.size(), 3u);
  for (std::size_t i = 0; i < all.size(); ++i) {
    EXPECT_EQ(all[i].getInterfaceNum(), i);
  }
}

TEST_F(InterfaceLookup, SelectorsThatMatchNothingThrowNoInterfaceInterface) {
  addPrinter();
  const auto device = createDevice(kVendorId, kProductId);
  EXPECT_NO_THROW(device.createInterfaceInterface(0xFF));
  EXPECT_EQ(qdioThrownBy([&] { device.createInterfaceInterface(0x07); }),
            QDIOError::pluginHasNoUsbInterfaceInterface);
  EXPECT_EQ(qdioThrownBy([&] { device.createInterfaceInterfaces(kMatchAny, kMatchAny, kMatchAny, 1); }),
            QDIOError::pluginHasNoUsbInterfaceInterface);
}

TEST_F(InterfaceLookup, InterfaceKeepsWorkingAfterItsDeviceHandleIsGone) {
  auto& printer = addPrinter();
  printer.queueIn(kBulkIn, Answer::text("PONG"));
  auto interface = createDevice(kVendorId, kProductId).createInterfaceInterface();
  interface.open();
  EXPECT_EQ(interface.readBytes(std::nullopt, 64, 2), Bytes({'P', 'O', 'N', 'G'}));
}

class Bulk : public PrinterTest {};

TEST_F(Bulk, PipeMapOfThePrinterIsWriteOneReadTwo) {
  StdoutCapture capture;
  EXPECT_EQ(interface->getPipes(), (PipeMap{{"writePipe", 1}, {"readPipe", 2}}));
  EXPECT_EQ(capture.lines(), (std::vector<std::string>{
                                 "endpoints = 2 and get no res = 0",
                                 "endpointnum = 1,direction = 0,number = 1,transType=2,maxsize=512,interval=0",
                                 "endpoint1 direction: out, ",
                                 "endpoint1 type is: bulk, ",
                                 "endpointnum = 2,direction = 1,number = 2,transType=2,maxsize=512,interval=0",
                                 "endpoint2 direction: in, ",
                                 "endpoint2 type is: bulk, ",
                             }));
}

TEST_F(Bulk, WriteSendsExactlyTheBytes) {
  interface->open();
  const Bytes bytes{'A', 0x00, 0xFF};
  interface->write(bytes, 1);
  EXPECT_EQ(printer->received(kBulkOut), std::vector<Bytes>{bytes});
}

TEST_F(Bulk, ReadBelowTheMinimumThrowsNotEnoughData) {
  interface->open();
  printer->queueIn(kBulkIn, Answer::bytes(Bytes(10, 'x')));
  EXPECT_EQ(qdioThrownBy([&] { interface->readBytes(16, 600, 2); }), QDIOError::couldNotGetEnoughData);
}

TEST_F(Bulk, ReadReturnsExactlyTheBytesReceived) {
  interface->open();
  printer->queueIn(kBulkIn, Answer::bytes(Bytes(16, 'x')));
  printer->queueIn(kBulkIn, Answer::bytes({}));
  EXPECT_EQ(interface->readBytes(16, 600, 2), Bytes(16, 'x'));
  EXPECT_EQ(interface->readBytes(std::nullopt, 600, 2), Bytes{});
}

TEST_F(Bulk, ReplyLongerThanTheBufferIsAnOverrun) {
  interface->open();
  printer->queueIn(kBulkIn, Answer::bytes(Bytes(601, 'x')));
  EXPECT_EQ(codeThrownBy([&] { interface->readBytes(16, 600, 2); }), kIOReturnOverrun);
}

TEST_F(Bulk, SilentDeviceTimesOutAndNothingIsRetried) {
  interface->open();
  EXPECT_EQ(codeThrownBy([&] { interface->readBytes(16, 600, 2); }), kIOUSBTransactionTimeout);
  // The next answer is for the next read, not swallowed by a retry.
  printer->queueIn(kBulkIn, Answer::bytes(Bytes(20, 'y')));
  EXPECT_EQ(interface->readBytes(16, 600, 2), Bytes(20, 'y'));
}

TEST_F(Bulk, StallIsReportedUntilCleared) {
  interface->open();
  printer->queueIn(kBulkIn, Answer::stall());
  EXPECT_EQ(codeThrownBy([&] { interface->readBytes(std::nullopt, 64, 2); }), kIOUSBPipeStalled);
  EXPECT_EQ(interface->getPipeStatus(2), kIOUSBPipeStalled);
  EXPECT_EQ(interface->getPipeStatus(1), kIOReturnSuccess);

  interface->clearPipeStall(false, 2);  // the host's side only: nothing sent
  EXPECT_TRUE(printer->clearedHalts().empty());
  EXPECT_EQ(interface->getPipeStatus(2), kIOReturnSuccess);

  printer->queueIn(kBulkIn, Answer::stall());
  EXPECT_EQ(codeThrownBy([&] { interface->readBytes(std::nullopt, 64, 2); }), kIOUSBPipeStalled);
  interface->clearPipeStall(true, 2);
  EXPECT_EQ(printer->clearedHalts(), std::vector<std::uint8_t>{kBulkIn});
  EXPECT_EQ(interface->getPipeStatus(2), kIOReturnSuccess);
}

TEST_F(Bulk, WriteStallIsThrown) {
  interface->open();
  printer->onOut(kBulkOut, [](const Bytes&) { return Answer::stall(); });
  const Bytes bytes{1, 2, 3};
  EXPECT_EQ(codeThrownBy([&] { interface->write(bytes, 1); }), kIOUSBPipeStalled);
}

TEST_F(Bulk, DeviceGoneMidExchangeIsNoDevice) {
  interface->open();
  printer->queueIn(kBulkIn, Answer::gone());
  EXPECT_EQ(codeThrownBy([&] { interface->readBytes(std::nullopt, 64, 2); }), kIOReturnNoDevice);
}

TEST_F(Bulk, TransfersNeedAnOpenInterface) {
  printer->queueIn(kBulkIn, Answer::text("PONG"));
  const Bytes bytes{1};
  EXPECT_EQ(codeThrownBy([&] { interface->readBytes(std::nullopt, 64, 2); }), kIOReturnNotOpen);
  EXPECT_EQ(codeThrownBy([&] { interface->write(bytes, 1); }), kIOReturnNotOpen);
  EXPECT_TRUE(printer->received(kBulkOut).empty());
}

TEST_F(Bulk, PipesOutsideTheInterfaceOrTheWrongWayAreRefused) {
  interface->open();
  const Bytes bytes{1};
  EXPECT_EQ(codeThrownBy([&] { interface->write(bytes, 2); }), kIOReturnBadArgument);
  EXPECT_EQ(codeThrownBy([&] { interface->readBytes(std::nullopt, 64, 1); }), kIOReturnBadArgument);
  EXPECT_EQ(codeThrownBy([&] { interface->write(bytes, 3); }), kIOUSBUnknownPipeErr);
  EXPECT_EQ(codeThrownBy([&] { interface->readBytes(std::nullopt, 64, 0); }), kIOUSBUnknownPipeErr);
  EXPECT_THROW(interface->write(bytes, 256), std::invalid_argument);
  EXPECT_THROW(interface->readBytes(std::nullopt, 64, -1), std::invalid_argument);
}

TEST_F(Bulk, OpenAndPerformClosesAfterAThrowingHandler) {
  bool ran = false;
  EXPECT_THROW(interface->openAndPerform(false,
                                         [&] {
                                           ran = true;
                                           EXPECT_TRUE(printer->claimed(0));
                                           throw std::runtime_error("handler failed");
                                         }),
               std::runtime_error);
  EXPECT_TRUE(ran);
  EXPECT_FALSE(printer->claimed(0));
}

TEST_F(Bulk, InterfaceClaimedByAnotherProgramCannotBeOpenedEvenSeizing) {
  printer->holdInterface(0, "usbfs");
  for (const bool seize : {false, true}) {
    bool ran = false;
    EXPECT_EQ(codeThrownBy([&] { interface->openAndPerform(seize, [&] { ran = true; }); }), kIOReturnExclusiveAccess)
        << "seize " << seize;
    EXPECT_FALSE(ran);
  }
}

TEST_F(Bulk, PlainOpenSetsAKernelDriverAsideAndCloseGivesItBack) {
  printer->holdInterface(0, "usblp");
  interface->openAndPerform(false, [&] {
    EXPECT_TRUE(printer->driverDetached(0));
    EXPECT_TRUE(printer->claimed(0));
  });
  EXPECT_FALSE(printer->claimed(0));
  EXPECT_TRUE(printer->driverReattached(0));
}

TEST_F(Bulk, SeizingDetachesTheDriverAndCloseGivesItBack) {
  printer->holdInterface(0, "usblp");
  interface->openAndPerform(true, [&] {
    EXPECT_TRUE(printer->driverDetached(0));
    EXPECT_TRUE(printer->claimed(0));
  });
  EXPECT_FALSE(printer->claimed(0));
  EXPECT_TRUE(printer->driverReattached(0));
}

// How an exchange on an interface taken from a kernel driver can end.
enum class WayOut { HandlerReturns, HandlerThrows, HandleDroppedWhileOpen };

std::string nameOf(WayOut way) {
  switch (way) {
    case WayOut::HandlerReturns: return "HandlerReturns";
    case WayOut::HandlerThrows: return "HandlerThrows";
    case WayOut::HandleDroppedWhileOpen: return "HandleDroppedWhileOpen";
  }
  return "?";
}

void PrintTo(WayOut way, std::ostream* out) { *out << nameOf(way); }

class KernelDriver : public PrinterTest, public ::testing::WithParamInterface<WayOut> {};

TEST_P(KernelDriver, IsGivenBackOnEveryWayOutOfTheExchange) {
  printer->holdInterface(0, "usblp");
  switch (GetParam()) {
    case WayOut::HandlerReturns:
      interface->openAndPerform(false, [] {});
      break;
    case WayOut::HandlerThrows:
      EXPECT_THROW(interface->openAndPerform(false, [] { throw std::runtime_error("handler failed"); }),
                   std::runtime_error);
      break;
    case WayOut::HandleDroppedWhileOpen:
      interface->open();
      interface.reset();
      break;
  }
  EXPECT_TRUE(printer->driverDetached(0));
  EXPECT_FALSE(printer->claimed(0));
  // The kernel binds the driver again only once the claim is given up.
  EXPECT_TRUE(printer->driverReattached(0));
}

INSTANTIATE_TEST_SUITE_P(Exchanges, KernelDriver,
                         ::testing::Values(WayOut::HandlerReturns, WayOut::HandlerThrows,
                                           WayOut::HandleDroppedWhileOpen),
                         [](const auto& tested) { return nameOf(tested.param); });

TEST_F(Bulk, DroppingAnOpenHandleReleasesTheInterface) {
  interface->open();
  EXPECT_TRUE(printer->claimed(0));
  interface.reset();
  EXPECT_FALSE(printer->claimed(0));
}

}  // namespace
