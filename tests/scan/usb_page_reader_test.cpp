// The USB page reader over a scripted pipe: every kind of transfer, their
// mixtures inside a page, and every way a read can fail.
#include <gtest/gtest.h>

#include <algorithm>
#include <cstdint>
#include <deque>
#include <optional>
#include <string>
#include <vector>

#include "device/usb/errors.h"
#include "device/usb/io_return.h"
#include "scan/conversation/usb_page_reader.h"

namespace {

using namespace device::usb;
using scan::PageTriple;
using Bytes = std::vector<std::uint8_t>;

struct Read {
  IOReturn code = kIOReturnSuccess;
  Bytes bytes;  // what the transfer moved
};

Read transfer(Bytes bytes) { return {kIOReturnSuccess, std::move(bytes)}; }
Read failure(IOReturn code, Bytes moved = {}) { return {code, std::move(moved)}; }

Bytes header(std::uint16_t pageNo, std::uint16_t length) {
  return {0x1C, 0x00, 0x01, static_cast<std::uint8_t>(pageNo & 0xFF), static_cast<std::uint8_t>(pageNo >> 8),
          0, 0, 0, 0, 0, static_cast<std::uint8_t>(length & 0xFF), static_cast<std::uint8_t>(length >> 8)};
}

// Payload bytes that tell blocks and positions apart.
Bytes payload(std::uint16_t length, std::uint8_t seed) {
  Bytes bytes(length);
  for (std::size_t i = 0; i < bytes.size(); ++i) bytes[i] = static_cast<std::uint8_t>(seed + i * 7);
  return bytes;
}

Read block(std::uint16_t pageNo, std::uint16_t length, std::uint8_t seed = 1) {
  Bytes bytes = header(pageNo, length);
  const Bytes data = payload(length, seed);
  bytes.insert(bytes.end(), data.begin(), data.end());
  return transfer(bytes);
}

Read closing(std::uint16_t pageNo, std::uint16_t length, std::uint8_t seed = 2, std::uint8_t mark = 0x82) {
  Read read = block(pageNo, length, seed);
  const Bytes record{mark, 1, 0, 0, 0, 0, 0, 0, 0, 9};
  read.bytes.insert(read.bytes.end(), record.begin(), record.end());
  return read;
}

Bytes joined(std::initializer_list<Bytes> parts) {
  Bytes all;
  for (const auto& part : parts) all.insert(all.end(), part.begin(), part.end());
  return all;
}

class ScriptedPipe : public scan::PagePipe {
 public:
  ScriptedPipe(std::vector<Read> reads, bool repeatLast, bool clearFails)
      : reads_(reads.begin(), reads.end()), repeatLast_(repeatLast), clearFails_(clearFails) {}

  TransferResult read(std::span<std::uint8_t> buffer, std::uint32_t, std::uint32_t) override {
    asked.push_back(buffer.size());
    if (reads_.empty()) return {kIOUSBTransactionTimeout, 0};  // nothing more: the device is silent
    const Read next = reads_.front();
    if (!repeatLast_ || reads_.size() > 1) reads_.pop_front();
    const std::size_t count = std::min(next.bytes.size(), buffer.size());
    std::copy_n(next.bytes.begin(), count, buffer.begin());
    return {next.code, count};
  }

  void clearStall() override {
    ++clears;
    if (clearFails_) throw IOReturnError(kIOReturnNoDevice);
  }

  std::vector<std::size_t> asked;
  int clears = 0;

 private:
  std::deque<Read> reads_;
  bool repeatLast_;
  bool clearFails_;
};

struct ReaderCase {
  const char* name;
  std::vector<Read> reads{};
  std::optional<PageTriple> triple{};  // no value: reading fails
  std::string errorHas{};              // part of the failure's text
  int clears = 0;
  std::string logHas{};                // a line the reader writes
  std::size_t pageLimit = SIZE_MAX;
  bool repeatLast = false;
  bool clearFails = false;
};

PageTriple page(std::uint16_t pageNo, Bytes data) { return {false, pageNo, std::move(data)}; }

const ReaderCase kCases[] = {
    {"BlockThenClosingBlockMakeOnePage", {block(2, 100, 1), closing(2, 50, 2)},
     page(2, joined({payload(100, 1), payload(50, 2)}))},
    {"EmptyClosingBlockEndsThePageWithTheEarlierPayload", {block(1, 100, 1), closing(1, 0)},
     page(1, payload(100, 1))},
    {"PageNumbersAreLowByteFirst", {closing(0x0101, 5, 3)}, page(257, payload(5, 3))},
    {"LargestBlocksFitTheBuffer", {block(1, 65535, 4), closing(1, 65535, 5)},
     page(1, joined({payload(65535, 4), payload(65535, 5)}))},
    {"JobEndFirstEndsTheScan", {transfer({0x80})}, PageTriple{true, scan::kScanEnded, {}}, "", 0, "buffer[0]=128"},
    {"StatusByteFirstIsReported", {transfer({0xC4})}, PageTriple{true, scan::kStatusReported, {0xC4}}},
    {"StatusByteInsideAPageIsReported", {block(1, 100), transfer({0xC3})},
     PageTriple{true, scan::kStatusReported, {0xC3}}},
    {"EmptyTransferIsReadAgain", {transfer({}), block(1, 100, 1), transfer({}), closing(1, 10, 2)},
     page(1, joined({payload(100, 1), payload(10, 2)}))},
    {"OnlyEmptyTransfersFailAfterTheNoDataBound", {block(1, 100), transfer({})}, std::nullopt,
     "only empty transfers", 0, "", SIZE_MAX, true},
    {"TimeOutFails", {block(1, 100)}, std::nullopt, "no data within", 0, "other error "},
    {"UnpluggedDeviceFails", {block(1, 100), failure(kIOReturnNoDevice)}, std::nullopt, "the scanner is gone", 0,
     "no devices"},
    {"InterfaceNotOpenFailsAtOnce", {failure(kIOReturnNotOpen), closing(1, 5)}, std::nullopt, "Device not open", 0,
     "the interface is not open for exclusive access"},
    {"BadArgumentFailsAtOnce", {failure(kIOReturnBadArgument), closing(1, 5)}, std::nullopt, "Invalid argument",
     0, "timeout values are specified for an interrupt pipe"},
    {"StallIsClearedAndReadAgain", {block(1, 100, 1), failure(kIOUSBPipeStalled), closing(1, 5, 2)},
     page(1, joined({payload(100, 1), payload(5, 2)})), "", 1, "other error "},
    {"StallThatPersistsFails",
     {failure(kIOUSBPipeStalled), failure(kIOUSBPipeStalled), failure(kIOUSBPipeStalled),
      failure(kIOUSBPipeStalled), closing(1, 5)},
     std::nullopt, "Pipe has stalled", 4},
    {"StallThatCannotBeClearedFails", {failure(kIOUSBPipeStalled), closing(1, 5)}, std::nullopt, "No such device",
     1, "", SIZE_MAX, false, true},
    {"InterruptedReadIsReadAgainWithoutClearing", {failure(kIOReturnAborted), closing(1, 5, 2)},
     page(1, payload(5, 2)), "", 0, "thread is interrupted before call complete"},
    {"FailedReadThatMovedBytesFails", {block(1, 100), failure(kIOUSBPipeStalled, {1, 2, 3}), closing(1, 5)},
     std::nullopt, "100 bytes of the page received", 1},
    {"TransferLargerThanTheBufferFails", {failure(kIOReturnOverrun)}, std::nullopt, "larger than 66048"},
    {"TransferOfNoKindInsideAPageFails",
     {block(1, 100), transfer(joined({header(1, 100), payload(101, 0)})), closing(1, 5)}, std::nullopt,
     "a transfer of 113 bytes"},
    {"TransferOfNoKindBeforeThePageFails", {transfer(joined({header(1, 100), payload(101, 0)})), closing(1, 5)},
     std::nullopt, "payload length 100"},
    {"ShortTransferFails", {transfer({0x80, 0x80})}, std::nullopt, "a transfer of 2 bytes"},
    {"ClosingBlockWithoutItsMarkFails", {block(1, 100), closing(1, 50, 2, 0x81), closing(1, 5)}, std::nullopt,
     "marked 129"},
    {"JobEndInsideAPageFails", {block(1, 100), transfer({0x80})}, std::nullopt, "the job ended inside a page"},
    {"PageBeyondTheLimitFails", {block(1, 100), block(1, 100), closing(1, 5)}, std::nullopt,
     "beyond 150 bytes", 0, "", 150},
};

class Reader : public ::testing::TestWithParam<ReaderCase> {};

TEST_P(Reader, ReadsOnePageOrFailsClearly) {
  const ReaderCase& c = GetParam();
  ScriptedPipe pipe(c.reads, c.repeatLast, c.clearFails);
  scan::PageReaderSettings settings;
  settings.noDataTimeoutMs = 50;
  settings.completionTimeoutMs = 100;
  settings.pageLimit = c.pageLimit;

  ::testing::internal::CaptureStdout();
  std::optional<PageTriple> triple;
  std::string error;
  try {
    triple = scan::readImages(pipe, settings);
  } catch (const std::exception& thrown) {
    error = thrown.what();
  }
  const std::string log = ::testing::internal::GetCapturedStdout();

  if (c.triple) {
    ASSERT_TRUE(triple) << error;
    EXPECT_EQ(triple->isFinished, c.triple->isFinished);
    EXPECT_EQ(triple->pageNo, c.triple->pageNo);
    EXPECT_TRUE(triple->data == c.triple->data) << triple->data.size() << " bytes";
  } else {
    EXPECT_FALSE(triple) << "read a page of " << triple->data.size() << " bytes";
    EXPECT_NE(error.find(c.errorHas), std::string::npos) << error;
  }
  EXPECT_EQ(pipe.clears, c.clears);
  if (!c.logHas.empty()) {
    EXPECT_NE(log.find(c.logHas + "\n"), std::string::npos) << log;
  }
  // After any transfer, short or not, the next read asks for the whole buffer.
  for (const std::size_t asked : pipe.asked) {
    EXPECT_EQ(asked, scan::kPageReadBufferSize);
  }
}

INSTANTIATE_TEST_SUITE_P(Transfers, Reader, ::testing::ValuesIn(kCases),
                         [](const ::testing::TestParamInfo<ReaderCase>& test) { return std::string(test.param.name); });

TEST(ReaderLog, ShowsEachHeaderLengthAndPageEnd) {
  ScriptedPipe pipe({block(2, 100), closing(2, 50)}, false, false);
  ::testing::internal::CaptureStdout();
  scan::readImages(pipe);
  EXPECT_EQ(::testing::internal::GetCapturedStdout(),
            "read sucess\n"
            "[28, 0, 1, 2, 0, 0, 0, 0, 0, 0, 100, 0]\n"
            "readBytes function. readlen=112  and packet len = 100\n"
            "read sucess\n"
            "[28, 0, 1, 2, 0, 0, 0, 0, 0, 0, 50, 0]\n"
            "readBytes function. readlen=72  and packet len = 50\n"
            "finished receive one page tail = [130, 1, 0, 0, 0, 0, 0, 0, 0, 9] and pagesize = 0\n");
}

}  // namespace
