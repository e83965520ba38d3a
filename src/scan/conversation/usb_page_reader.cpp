#include "scan/conversation/usb_page_reader.h"

#include <algorithm>
#include <chrono>
#include <string>

#include "device/common/log.h"
#include "device/usb/io_return.h"
#include "scan/conversation/page_data.h"
#include "scan/conversation/scan_status.h"

namespace scan {

using device::byteList;
using device::logLine;
using namespace device::usb;

namespace {

// What one transfer holds, by its length.
enum class Kind { dataBlock, closingBlock, badClosingBlock, jobEnd, statusByte, none };

Kind kindOf(std::span<const std::uint8_t> transfer, std::size_t payloadLength) {
  const std::size_t n = transfer.size();
  if (n == payloadLength + kBlockHeaderSize) return Kind::dataBlock;
  if (n == payloadLength + kBlockHeaderSize + kPageEndRecordSize) {
    return transfer[payloadLength + kBlockHeaderSize] == kPageEndMark ? Kind::closingBlock : Kind::badClosingBlock;
  }
  if (n == 1) return transfer[0] == kScanFinished ? Kind::jobEnd : Kind::statusByte;
  return Kind::none;
}

bool isTimeOut(IOReturn code) { return code == kIOUSBTransactionTimeout || code == kIOReturnTimeout; }

// One page being gathered within one call.
class PageInProgress {
 public:
  explicit PageInProgress(std::size_t limit) : limit_(limit) {}

  void append(std::span<const std::uint8_t> payload) {
    if (payload.size() > limit_ - data_.size()) {
      throw PageReadError("the page grows beyond " + std::to_string(limit_) + " bytes without ending");
    }
    data_.insert(data_.end(), payload.begin(), payload.end());
    ++blocks_;
  }
  bool begun() const { return blocks_ > 0; }
  std::size_t size() const { return data_.size(); }
  std::vector<std::uint8_t> take() { return std::move(data_); }

 private:
  std::size_t limit_;
  std::vector<std::uint8_t> data_;
  std::size_t blocks_ = 0;
};

}  // namespace

PageTriple readImages(PagePipe& pipe, const PageReaderSettings& settings) {
  using Clock = std::chrono::steady_clock;
  std::vector<std::uint8_t> buffer(kPageReadBufferSize, 0);
  PageInProgress page(settings.pageLimit);
  const auto noData = std::chrono::milliseconds(settings.noDataTimeoutMs);
  auto lastData = Clock::now();
  int failedReads = 0;

  for (;;) {
    // The whole buffer every time: a short transfer must not cap the next.
    const TransferResult result = pipe.read(buffer, settings.noDataTimeoutMs, settings.completionTimeoutMs);
    const IOReturn code = result.code;
    if (code != kIOReturnSuccess) {
      bool retry = false;
      std::string why = "the read failed: " + errorDescription(code);
      if (code == kIOReturnNoDevice) {
        logLine("no devices");
        why = "the scanner is gone";
      } else if (code == kIOReturnAborted) {
        logLine("thread is interrupted before call complete");
        retry = true;
      } else if (code == kIOReturnNotOpen) {
        logLine("the interface is not open for exclusive access");
      } else if (code == kIOReturnBadArgument) {
        logLine("timeout values are specified for an interrupt pipe");
      } else if (isTimeOut(code)) {
        logLine("other error ");
        why = "no data within " + std::to_string(settings.completionTimeoutMs) + " ms";
      } else if (code == kIOReturnOverrun) {
        logLine("other error ");
        why = "a transfer larger than " + std::to_string(kPageReadBufferSize) + " bytes";
      } else {
        pipe.clearStall();
        logLine("other error ");
        retry = true;
      }
      // A failed transfer that moved bytes lost them: the page cannot be whole.
      if (!retry || result.count > 0 || ++failedReads > kPageReadRetries) {
        if (page.begun()) why += " (" + std::to_string(page.size()) + " bytes of the page received)";
        throw PageReadError(why);
      }
      continue;
    }
    logLine("read sucess");
    failedReads = 0;

    const std::size_t n = result.count;
    const std::span<const std::uint8_t> transfer(buffer.data(), n);
    // Bytes past n are those of earlier transfers, as the header line shows.
    const BlockHeader header(buffer.data(), kBlockHeaderSize);
    const std::size_t payloadLength = blockPayloadLength(header);
    logLine(byteList(header));
    logLine("readBytes function. readlen=" + std::to_string(n) + "  and packet len = " +
            std::to_string(payloadLength));

    if (n == 0) {
      // An empty transfer says nothing; the scanner may still be busy.
      if (Clock::now() - lastData >= noData) {
        throw PageReadError("only empty transfers for " + std::to_string(settings.noDataTimeoutMs) + " ms");
      }
      continue;
    }
    lastData = Clock::now();

    switch (kindOf(transfer, payloadLength)) {
      case Kind::dataBlock:
        page.append(transfer.subspan(kBlockHeaderSize));
        break;
      case Kind::closingBlock: {
        logLine("finished receive one page tail = " + byteList(transfer.subspan(payloadLength + kBlockHeaderSize)) +
                " and pagesize = 0");
        page.append(transfer.subspan(kBlockHeaderSize, payloadLength));
        return {false, blockPageNumber(header), page.take()};
      }
      case Kind::badClosingBlock:
        throw PageReadError("a page-end record marked " + std::to_string(transfer[payloadLength + kBlockHeaderSize]) +
                            " in place of " + std::to_string(kPageEndMark));
      case Kind::jobEnd:
        logLine("buffer[0]=" + std::to_string(transfer[0]));
        if (page.begun()) {
          throw PageReadError("the job ended inside a page (" + std::to_string(page.size()) + " bytes received)");
        }
        return {true, kScanEnded, {}};
      case Kind::statusByte:
        return {true, kStatusReported, {transfer[0]}};
      case Kind::none:
        throw PageReadError("a transfer of " + std::to_string(n) + " bytes is no message of the page data (" +
                            byteList(transfer.first(std::min(n, kBlockHeaderSize))) + ", payload length " +
                            std::to_string(payloadLength) + ")");
    }
  }
}

TransferResult InterfacePagePipe::read(std::span<std::uint8_t> buffer, std::uint32_t noDataTimeoutMs,
                                       std::uint32_t completionTimeoutMs) {
  return interface_.readPipeTO(pipe_, buffer, noDataTimeoutMs, completionTimeoutMs);
}

void InterfacePagePipe::clearStall() { interface_.clearPipeStall(true, pipe_); }

}  // namespace scan
