#include "scan/page_stream.h"

#include <algorithm>

#include "scan/scan_status.h"

namespace scan {
namespace {

constexpr std::size_t kStartBytes = 3;  // header bytes 0-2

}  // namespace

PageStreamParser::PageStreamParser(std::size_t pageLimit, std::size_t reserve)
    : pageLimit_(pageLimit) {
  page_.reserve(std::min(reserve, pageLimit));
}

PageStreamParser::Record PageStreamParser::classify() const {
  if (record_[0] != kPageEndMark) return Record::header;
  // One message to a read: the device's pacing, which says it at once.
  if (recordReadSize_ == kPageEndRecordSize || recordReadSize_ == kPageEndRecordSize + 1) return Record::pageEnd;
  if (!firstHeaderStart_) return Record::header;
  if ((*firstHeaderStart_)[0] != kPageEndMark) return Record::pageEnd;
  if (recordSize_ < kStartBytes) return Record::undecided;
  return std::equal(firstHeaderStart_->begin(), firstHeaderStart_->end(), record_.begin()) ? Record::header
                                                                                          : Record::pageEnd;
}

PageStreamParser::Kind PageStreamParser::next(std::span<const std::uint8_t>& input) {
  if (stopped_) return Kind::pageTooLarge;
  if (startNewPage_) {
    page_.clear();  // keeps the capacity for the next page
    announced_ = 0;
    blocksInPage_ = 0;
    startNewPage_ = false;
  }
  const auto take = [&input](std::span<std::uint8_t> into) {
    const std::size_t count = std::min(into.size(), input.size());
    std::copy_n(input.begin(), count, into.begin());
    input = input.subspan(count);
    return count;
  };
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

    if (byteBehindRecord_) {
      byteBehindRecord_ = false;
      const std::uint8_t byte = input.front();
      input = input.subspan(1);
      if (byte == kScanFinished) {
        statusByte_ = byte;
        return Kind::status;
      }
      droppedByte_ = byte;
      return Kind::byteDropped;
    }
    if (kind_ == Record::none) {
      // A message boundary.
      recordSize_ = 0;
      kind_ = Record::undecided;
      recordReadSize_ = input.size() == readSize_ ? readSize_ : 0;
    }
    while (kind_ == Record::undecided) {
      if (recordSize_ == 0) {
        recordSize_ += take(std::span(record_).first(1));
        continue;
      }
      if (recordSize_ == 1 && input.empty()) {
        // A byte with nothing behind it may be a status byte. One that can
        // begin no other message is one at once; any other waits for what
        // follows, or for the settle time.
        if (firstHeaderStart_ && record_[0] != (*firstHeaderStart_)[0] && record_[0] != kPageEndMark) {
          statusByte_ = judgeLoneByte();
          return Kind::status;
        }
        return Kind::needMore;
      }
      kind_ = classify();
      if (kind_ != Record::undecided) break;
      if (input.empty()) return Kind::needMore;
      recordSize_ += take(std::span(record_).subspan(recordSize_, 1));
    }

    const std::size_t need = kind_ == Record::pageEnd ? kPageEndRecordSize : kBlockHeaderSize;
    recordSize_ += take(std::span(record_).subspan(recordSize_, need - recordSize_));
    if (recordSize_ < need) return Kind::needMore;

    const bool pageEnd = kind_ == Record::pageEnd;
    kind_ = Record::none;
    if (pageEnd) {
      startNewPage_ = true;
      byteBehindRecord_ = recordReadSize_ == kPageEndRecordSize + 1;
      return Kind::pageEnd;
    }
    if (!firstHeaderStart_) {
      firstHeaderStart_.emplace();
      std::copy_n(record_.begin(), kStartBytes, firstHeaderStart_->begin());
    }
    payloadLength_ = blockPayloadLength(record_);
    remaining_ = payloadLength_;
    announced_ += payloadLength_;
    ++blocksInPage_;
    return Kind::blockHeader;
  }
}

int PageStreamParser::judgeLoneByte() {
  kind_ = Record::none;
  recordSize_ = 0;
  return record_[0];
}

PageStreamParser::Ending PageStreamParser::ending() const {
  if (remaining_ > 0) return Ending::truncated;
  if (kind_ == Record::undecided && recordSize_ == 1) return Ending::loneByte;
  if (kind_ != Record::none) return Ending::truncated;
  return pageInProgress() ? Ending::pageCut : Ending::clean;
}

}  // namespace scan
