// The status monitor's flavour, the default in a process that sets none.
#include <gtest/gtest.h>

#include <stdexcept>

#include "stdout_capture.h"
#include "device/usb/errors.h"
#include "device/common/flavour.h"

namespace {

using namespace device;
using namespace device::usb;

TEST(Flavour, DefaultsToTheStatusMonitorAndStaysFixed) {
  EXPECT_EQ(flavour(), Flavour::StatusMonitor);
  EXPECT_THROW(setFlavour(Flavour::Scanner), std::logic_error);
  EXPECT_NO_THROW(setFlavour(Flavour::StatusMonitor));
  EXPECT_EQ(flavour(), Flavour::StatusMonitor);
}

TEST(StatusMonitorChecks, SuccessPassesSilently) {
  StdoutCapture capture;
  EXPECT_NO_THROW(throwIfNotSuccess(kIOReturnSuccess, "func write "));
  EXPECT_NO_THROW(throwIfControlRequestNotSuccess(kIOReturnSuccess));
  EXPECT_TRUE(capture.lines().empty());
}

TEST(StatusMonitorChecks, FailureIsThrownWithoutALine) {
  StdoutCapture capture;
  try {
    throwIfNotSuccess(kIOUSBTransactionTimeout, "func readBytes");
    FAIL() << "no throw";
  } catch (const IOReturnError& error) {
    EXPECT_EQ(error.code(), kIOUSBTransactionTimeout);
  }
  EXPECT_TRUE(capture.lines().empty());
}

TEST(StatusMonitorChecks, ControlRequestFailureIsLoggedThenThrown) {
  StdoutCapture capture;
  try {
    throwIfControlRequestNotSuccess(kIOUSBPipeStalled);
    FAIL() << "no throw";
  } catch (const IOReturnError& error) {
    EXPECT_EQ(error.code(), kIOUSBPipeStalled);
  }
  EXPECT_EQ(capture.lines(), std::vector<std::string>{"send control request not success"});
}

}  // namespace
