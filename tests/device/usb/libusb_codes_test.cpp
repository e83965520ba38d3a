#include <gtest/gtest.h>

#include <libusb.h>

#include <set>

#include "device/usb/libusb_codes.h"

namespace {

using namespace device::usb;

struct MapCase {
  int libusbError;
  IOReturn expected;
};

class LibusbMapping : public ::testing::TestWithParam<MapCase> {};

TEST_P(LibusbMapping, GivesTheNearestCode) {
  EXPECT_EQ(ioReturnFromLibusb(GetParam().libusbError), GetParam().expected)
      << libusb_error_name(GetParam().libusbError);
}

INSTANTIATE_TEST_SUITE_P(
    Errors, LibusbMapping,
    ::testing::Values(MapCase{LIBUSB_SUCCESS, kIOReturnSuccess}, MapCase{LIBUSB_ERROR_IO, kIOReturnIOError},
                      MapCase{LIBUSB_ERROR_INVALID_PARAM, kIOReturnBadArgument},
                      MapCase{LIBUSB_ERROR_ACCESS, kIOReturnNotPermitted},
                      MapCase{LIBUSB_ERROR_NO_DEVICE, kIOReturnNoDevice},
                      MapCase{LIBUSB_ERROR_NOT_FOUND, kIOReturnNotFound},
                      MapCase{LIBUSB_ERROR_BUSY, kIOReturnExclusiveAccess},
                      MapCase{LIBUSB_ERROR_TIMEOUT, kIOUSBTransactionTimeout},
                      MapCase{LIBUSB_ERROR_OVERFLOW, kIOReturnOverrun},
                      MapCase{LIBUSB_ERROR_PIPE, kIOUSBPipeStalled},
                      MapCase{LIBUSB_ERROR_INTERRUPTED, kIOReturnAborted},
                      MapCase{LIBUSB_ERROR_NO_MEM, kIOReturnNoMemory},
                      MapCase{LIBUSB_ERROR_NOT_SUPPORTED, kIOReturnUnsupported},
                      MapCase{LIBUSB_ERROR_OTHER, kIOReturnError},
                      // Not a libusb error at all.
                      MapCase{-42, kIOReturnError},
                      // Byte counts are successes.
                      MapCase{512, kIOReturnSuccess}));

TEST(LibusbCodeTable, NamesEveryLibusbErrorOnce) {
  std::set<int> listed;
  for (const auto& row : libusbCodeTable()) {
    EXPECT_TRUE(listed.insert(row.libusbError).second) << row.libusbError;
  }
  for (int error : {LIBUSB_SUCCESS, LIBUSB_ERROR_IO, LIBUSB_ERROR_INVALID_PARAM, LIBUSB_ERROR_ACCESS,
                    LIBUSB_ERROR_NO_DEVICE, LIBUSB_ERROR_NOT_FOUND, LIBUSB_ERROR_BUSY, LIBUSB_ERROR_TIMEOUT,
                    LIBUSB_ERROR_OVERFLOW, LIBUSB_ERROR_PIPE, LIBUSB_ERROR_INTERRUPTED, LIBUSB_ERROR_NO_MEM,
                    LIBUSB_ERROR_NOT_SUPPORTED, LIBUSB_ERROR_OTHER}) {
    EXPECT_EQ(listed.count(error), 1u) << libusb_error_name(error);
  }
}

}  // namespace
