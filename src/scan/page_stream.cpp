#include "scan/page_stream.h"

#include <algorithm>

#include "scan/scan_status.h"

namespace scan {

PageStreamParser::PageStreamParser(std::size_t pageLimit, std::size_t reserve)
    : pageLimit_(pageLimit) {
  page_.reserve(std::min(reserve, pageLimit));
}

PageStreamParser::Kind PageStreamParser::next(std::span<const std::uint8_t>& input) {
  if (stopped_) return Kind::pageTooLarge;
  if (startNewPage_) {
    page_.clear();  // keeps the capacity for the next page
    announced_ = 0;
    blocksInPage_ = 0;
    startNewPage_ = false;
  }
  for (;;) {
    if (remaining_ > 0) {
      const std::size_t count = std::min(remaining_, input.size());
      if (count == 0) return Kind::needMore;
      if (page_.size() + count > pageLimit_) {
        stopped_ = true;
        return Kind::pageTooLarge;
      }
      page_.insert(page_.end(), input.begin(), input.begin() + static_cast<std::ptrdiff_t>(count));
      input = input.subspan(count);
      remaining_ -= count;
      continue;
    }
    if (input.empty()) return Kind::needMore;

    if (recordNeed_ == 0) {
      // A message boundary: the first byte says what comes.
      const std::uint8_t first = input[0];
      recordSize_ = 0;
      if (first == kPageEndMark) {
        recordNeed_ = kPageEndRecordSize;
      } else if (scanStatusKey(first)) {
        input = input.subspan(1);
        statusByte_ = first;
        return Kind::status;
      } else {
        recordNeed_ = kBlockHeaderSize;
      }
    }
    const std::size_t count = std::min(recordNeed_ - recordSize_, input.size());
    std::copy_n(input.begin(), count, record_.begin() + static_cast<std::ptrdiff_t>(recordSize_));
    recordSize_ += count;
    input = input.subspan(count);
    if (recordSize_ < recordNeed_) return Kind::needMore;

    const bool pageEnd = recordNeed_ == kPageEndRecordSize;
    recordNeed_ = 0;
    if (pageEnd) {
      startNewPage_ = true;
      return Kind::pageEnd;
    }
    payloadLength_ = blockPayloadLength(record_);
    remaining_ = payloadLength_;
    announced_ += payloadLength_;
    ++blocksInPage_;
    return Kind::blockHeader;
  }
}

PageStreamParser::Ending PageStreamParser::ending() const {
  if (remaining_ > 0) return Ending::truncated;
  if (recordNeed_ != 0) {
    const bool oneByte = recordSize_ == 1 && recordNeed_ == kBlockHeaderSize;
    return oneByte ? Ending::loneByte : Ending::truncated;
  }
  return pageInProgress() ? Ending::pageCut : Ending::clean;
}

}  // namespace scan
