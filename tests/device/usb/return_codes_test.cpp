#include <gtest/gtest.h>

#include <set>
#include <string>

#include "device/usb/errors.h"
#include "device/usb/io_return.h"
#include "device/usb/qdio_error.h"

namespace {

using namespace device::usb;

struct TextCase {
  std::uint32_t bits;
  std::string text;
};

class ReturnCodeText : public ::testing::TestWithParam<TextCase> {};

TEST_P(ReturnCodeText, IsTheFixedEnglishText) {
  EXPECT_EQ(errorDescription(ioReturnFromBits(GetParam().bits)), GetParam().text);
}

INSTANTIATE_TEST_SUITE_P(
    Codes, ReturnCodeText,
    ::testing::Values(
        TextCase{0xE0004051, "Transaction timed out"}, TextCase{0xE00002D6, "I/O timeout"},
        TextCase{0xE00002EB, "Aborted"}, TextCase{0xE000404F, "Pipe has stalled, error needs to be cleared"},
        TextCase{0xE00002C5, "Exclusive access and device already open"},
        TextCase{0xE00002C0, "No such device"}, TextCase{0xE0004061, "Pipe ref not recognized"},
        // Two names share this code; the first row wins.
        TextCase{0xE0004049, "Name is deprecated, see below"},
        // Trailing blank kept.
        TextCase{0xE000404D,
                 "Attempted to use user land low latency isoc calls w/out calling PrepareBuffer (on the data buffer) "
                 "first "},
        TextCase{0xE000404A,
                 "A synchronous USB request was made on the workloop thread (from a callback?).  Only async requests "
                 "are permitted in that case"},
        TextCase{0xE00002E5, "media not formatted"},
        TextCase{0xE0004042,
                 "The transaction cannot be submitted because it would exceed the allowed number of pending "
                 "transactions"},
        // No text: the code in signed decimal.
        TextCase{0xE00002CB, "IOError (-536870197)"}, TextCase{0xE00002DC, "IOError (-536870180)"},
        TextCase{0, "IOError (0)"}, TextCase{5, "IOError (5)"}));

TEST(ReturnCodeTable, HoldsSeventySixNamedCodesAllButOneDistinct) {
  const auto table = returnCodeTable();
  ASSERT_EQ(table.size(), 76u);
  std::set<IOReturn> codes;
  for (const auto& row : table) {
    codes.insert(row.code);
  }
  EXPECT_EQ(codes.size(), 75u);
}

TEST(ReturnCodeTable, UsbCodesCarryTheUsbErrorBits) {
  EXPECT_EQ(iokit_usb_err(0x51), kIOUSBTransactionTimeout);
  EXPECT_EQ(kIOUSBTransactionTimeout, -536854447);
  EXPECT_EQ(kIOReturnTimeout, -536870186);
  EXPECT_EQ(kIOReturnInvalid, -536870911);
}

TEST(QDIOErrorCase, RawValuesZeroToSixMakeCasesWithTheirTexts) {
  const char* texts[] = {"I/O: No plugin interface.",
                         "USB: Plugin has no device interface.",
                         "USB: Plugin has no interface interface.",
                         "I/O: Could not query interface.",
                         "USB: Could not query device interface.",
                         "USB: Could not query interface interface.",
                         "Could not get enough data."};
  for (int raw = 0; raw <= 6; ++raw) {
    const auto error = qdioErrorFromRaw(raw);
    ASSERT_TRUE(error.has_value()) << raw;
    EXPECT_EQ(errorDescription(*error), texts[raw]);
  }
  EXPECT_EQ(qdioErrorFromRaw(6), QDIOError::couldNotGetEnoughData);
}

TEST(QDIOErrorCase, OtherRawValuesMakeNone) {
  EXPECT_FALSE(qdioErrorFromRaw(7).has_value());
  EXPECT_FALSE(qdioErrorFromRaw(-1).has_value());
}

TEST(ThrownErrors, CarryTheirCodeAndText) {
  const IOReturnError stalled(kIOUSBPipeStalled);
  EXPECT_EQ(stalled.code(), kIOUSBPipeStalled);
  EXPECT_STREQ(stalled.what(), "Pipe has stalled, error needs to be cleared");

  const QDIOException short_read(QDIOError::couldNotGetEnoughData);
  EXPECT_EQ(short_read.error(), QDIOError::couldNotGetEnoughData);
  EXPECT_STREQ(short_read.what(), "Could not get enough data.");
}

TEST(TaggedFailureLine, FramesTheTextAsAnOptionalAfterTheTag) {
  // A tag ending in a blank gives two blanks before "and".
  EXPECT_EQ(taggedFailureLine("func write ", kIOUSBPipeStalled),
            "error happened at func write  and error is: Optional(\"Pipe has stalled, error needs to be cleared\")");
  EXPECT_EQ(taggedFailureLine("func readBytes", 5),
            "error happened at func readBytes and error is: Optional(\"IOError (5)\")");
}

}  // namespace
