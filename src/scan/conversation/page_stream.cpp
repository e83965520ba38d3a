#include "scan/conversation/page_stream.h"

#include <algorithm>

#include "scan/conversation/scan_status.h"

namespace scan {
namespace {

constexpr std::size_t kStartBytes = 3;  // header bytes 0-2

}  // namespace

PageStreamParser::PageStreamParser(std::size_t pageLimit, std::size_t reserve)
    : pageLimit_(pageLimit) {
  page_.reserve(std::min(reserve, pageLimit));
}

void PageStreamParser::feed(std::span<const std::uint8_t> read) {
  read_ = read;
  readAt_ = 0;
}

std::uint8_t PageStreamParser::take() { return read_[readAt_++]; }

bool PageStreamParser::mayBeginAMessage(std::uint8_t byte) const {
  return !firstHeaderStart_ || byte == (*firstHeaderStart_)[0] || byte == kPageEndMark;
}

std::size_t PageStreamParser::decideLength() const {
  if (record_[0] != kPageEndMark) return kBlockHeaderSize;
  if (pacedRead_) return kPageEndRecordSize;
  if (!firstHeaderStart_) return kBlockHeaderSize;
  if (recordSize_ < kStartBytes) return 0;
  return std::equal(firstHeaderStart_->begin(), firstHeaderStart_->end(), record_.begin()) ? kBlockHeaderSize
                                                                                          : kPageEndRecordSize;
}

void PageStreamParser::beginPageIfNew() {
  if (blocksInPage_ > 0) return;
  page_.clear();  // keeps the capacity for the next page
  announced_ = 0;
}

PageStreamParser::Event PageStreamParser::next() {
  for (;;) {
    const std::size_t left = read_.size() - readAt_;
    switch (state_) {
      case State::stopped:
        return Event::pageTooLarge;

      case State::boundary: {
        if (left == 0) return Event::needMore;
        pacedRead_ = readAt_ == 0 && (left == kPageEndRecordSize || left == kPageEndRecordSize + 1);
        record_[0] = take();
        recordSize_ = 1;
        recordLength_ = 0;
        // With bytes behind it the byte begins a record; alone and last of
        // its read, it is a status byte unless it may begin one.
        if (left > 1) {
          state_ = State::record;
        } else if (mayBeginAMessage(record_[0])) {
          state_ = State::heldByte;
        } else {
          statusByte_ = record_[0];
          return Event::status;
        }
        break;
      }

      case State::heldByte:
        if (left == 0) return Event::needMore;
        state_ = State::record;  // more came: the byte begins a message
        break;

      case State::record: {
        // An undecided record grows a byte at a time until its bytes tell.
        if (recordLength_ == 0) recordLength_ = decideLength();
        if (recordSize_ == recordLength_) return finishRecord();
        if (left == 0) return Event::needMore;
        const std::size_t count = std::min(recordLength_ == 0 ? 1 : recordLength_ - recordSize_, left);
        std::ranges::copy(read_.subspan(readAt_, count), record_.begin() + static_cast<std::ptrdiff_t>(recordSize_));
        readAt_ += count;
        recordSize_ += count;
        break;
      }

      case State::payload: {
        if (left == 0) return Event::needMore;
        const std::size_t count = std::min(remaining_, left);
        if (page_.size() + count > pageLimit_) {
          state_ = State::stopped;
          return Event::pageTooLarge;
        }
        const auto bytes = read_.subspan(readAt_, count);
        page_.insert(page_.end(), bytes.begin(), bytes.end());
        readAt_ += count;
        remaining_ -= count;
        if (remaining_ == 0) state_ = State::boundary;
        break;
      }

      case State::byteBehind: {
        const std::uint8_t byte = take();
        state_ = State::boundary;
        if (byte == kScanFinished) {
          statusByte_ = byte;
          return Event::status;
        }
        droppedByte_ = byte;
        return Event::byteDropped;
      }
    }
  }
}

PageStreamParser::Event PageStreamParser::finishRecord() {
  state_ = State::boundary;
  beginPageIfNew();
  if (recordLength_ == kPageEndRecordSize) {
    blocksInPage_ = 0;
    // The device's pacing put the record and one byte behind it in one read.
    if (pacedRead_ && read_.size() == kPageEndRecordSize + 1) state_ = State::byteBehind;
    return Event::pageEnd;
  }
  if (!firstHeaderStart_) {
    firstHeaderStart_.emplace();
    std::copy_n(record_.begin(), kStartBytes, firstHeaderStart_->begin());
  }
  payloadLength_ = blockPayloadLength(record_);
  remaining_ = payloadLength_;
  announced_ += payloadLength_;
  ++blocksInPage_;
  if (remaining_ > 0) state_ = State::payload;
  return Event::blockHeader;
}

PageStreamParser::Event PageStreamParser::quiet() {
  if (state_ != State::heldByte) return Event::needMore;
  state_ = State::boundary;
  statusByte_ = record_[0];
  return Event::status;
}

PageStreamParser::Ending PageStreamParser::ending() const {
  switch (state_) {
    case State::heldByte:
      return Ending::loneByte;
    case State::record:
    case State::payload:
    case State::stopped:
      return Ending::truncated;
    case State::boundary:
    case State::byteBehind:
      break;
  }
  return pageInProgress() ? Ending::pageCut : Ending::clean;
}

}  // namespace scan
