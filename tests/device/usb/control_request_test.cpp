// Control requests on the default pipe against the simulated printer
// (status monitor's flavour): the status request as the monitor sends it.
#include <gtest/gtest.h>

#include <array>
#include <stdexcept>

#include "sim_fixture.h"
#include "stdout_capture.h"
#include "device/usb/device_handle.h"
#include "device/usb/errors.h"

namespace {

using namespace device::usb;
using sim::usb::Answer;
using sim::usb::Bytes;

IOUSBDevRequestTO statusRequest(std::span<std::uint8_t> buffer) {
  IOUSBDevRequestTO request;
  request.bmRequestType = 0xC0;
  request.bRequest = 4;
  request.wValue = 0;
  request.wIndex = 0;
  request.wLength = 512;
  request.pData = buffer;
  request.wLenDone = 255;
  request.noDataTimeout = 2000;
  request.completionTimeout = 3000;
  return request;
}

class ControlRequest : public PrinterTest {
 protected:
  std::array<std::uint8_t, 512> buffer{};
};

TEST_F(ControlRequest, ReplyLandsInTheCallersBufferAndTheRestStaysZero) {
  printer->replyToControl(0xC0, 4, Answer::bytes({0x34, 0x12, 77, 9, 9}));
  // The count tells the five bytes sent from the zeros after them.
  EXPECT_EQ(interface->sendControlRequest(statusRequest(buffer), 0), 5u);

  EXPECT_EQ(buffer[0], 0x34);
  EXPECT_EQ(buffer[1], 0x12);
  EXPECT_EQ(buffer[2], 77);
  EXPECT_EQ(buffer[4], 9);
  for (std::size_t i = 5; i < buffer.size(); ++i) {
    ASSERT_EQ(buffer[i], 0) << i;
  }
  const auto requests = printer->controlRequests();
  ASSERT_EQ(requests.size(), 1u);
  EXPECT_EQ(requests[0].requestType, 0xC0);
  EXPECT_EQ(requests[0].request, 4);
  EXPECT_EQ(requests[0].value, 0);
  EXPECT_EQ(requests[0].index, 0);
  EXPECT_EQ(requests[0].length, 512);
  // Sent without opening the interface.
  EXPECT_FALSE(printer->claimed(0));
}

TEST_F(ControlRequest, StalledRequestIsLoggedAndThrown) {
  printer->replyToControl(0xC0, 4, Answer::stall());
  StdoutCapture capture;
  try {
    interface->sendControlRequest(statusRequest(buffer), 0);
    FAIL() << "no throw";
  } catch (const IOReturnError& error) {
    EXPECT_EQ(error.code(), kIOUSBPipeStalled);
  }
  EXPECT_EQ(capture.lines(), std::vector<std::string>{"send control request not success"});
  EXPECT_EQ(buffer, (std::array<std::uint8_t, 512>{}));
}

TEST_F(ControlRequest, SilentDeviceTimesOut) {
  printer->replyToControl(0xC0, 4, Answer::silence());
  auto request = statusRequest(buffer);
  request.noDataTimeout = 100;
  request.completionTimeout = 200;
  try {
    interface->sendControlRequest(request, 0);
    FAIL() << "no throw";
  } catch (const IOReturnError& error) {
    EXPECT_EQ(error.code(), kIOUSBTransactionTimeout);
  }
}

TEST_F(ControlRequest, UnpluggedDeviceIsNoDevice) {
  printer->replyToControl(0xC0, 4, Answer::bytes({1, 2, 3}));
  printer->unplug();
  try {
    interface->sendControlRequest(statusRequest(buffer), 0);
    FAIL() << "no throw";
  } catch (const IOReturnError& error) {
    EXPECT_EQ(error.code(), kIOReturnNoDevice);
  }
}

TEST_F(ControlRequest, BufferShorterThanTheRequestIsRefusedBeforeAnythingIsSent) {
  std::array<std::uint8_t, 5> small{};
  EXPECT_THROW(interface->sendControlRequest(statusRequest(small), 0), std::invalid_argument);
  EXPECT_TRUE(printer->controlRequests().empty());
}

TEST_F(ControlRequest, OnlyTheDefaultPipeCarriesControlRequests) {
  printer->replyToControl(0xC0, 4, Answer::bytes({1, 2, 3}));
  try {
    interface->sendControlRequest(statusRequest(buffer), 1);
    FAIL() << "no throw";
  } catch (const IOReturnError& error) {
    EXPECT_EQ(error.code(), kIOUSBUnknownPipeErr);
  }
  EXPECT_TRUE(printer->controlRequests().empty());
}

}  // namespace
