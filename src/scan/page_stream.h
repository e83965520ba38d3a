#pragma once
// The page data a scanner streams over TCP after the X command, taken apart
// by its structure (the messages of page_data.h):
//   data block       12-byte header (bytes 10-11: payload length L, low byte
//                    first), then L bytes of page data;
//   page-end record  10 bytes, the first 0x82;
//   status byte      one byte of the status table; 0x80 ends the job.
// A page is the payloads of the blocks since the previous page-end record.
//
// The device writes one message at a time, but TCP keeps no message
// boundaries: a read may end inside a header, or carry a page-end record
// together with the start of the next block's header. So messages are told
// apart by their first byte at a message boundary, and bytes that do not yet
// complete a message wait for the next read. This relies on a block header
// never beginning with 0x80, 0x82 or a byte of the status table: its first
// bytes are no field the device fills with such values.

#include <array>
#include <cstddef>
#include <cstdint>
#include <span>
#include <vector>

#include "scan/page_data.h"

namespace scan {

class PageStreamParser {
 public:
  enum class Kind {
    needMore,      // every input byte is taken; give the next read
    blockHeader,   // record() is the header, payloadLength() its L
    pageEnd,       // record() is the page-end record, page() the finished page
    status,        // statusByte() is a byte of the status table (0x80 included)
    pageTooLarge,  // the page grew beyond the limit; nothing more is parsed
  };

  // How the stream stands where it ends or falls silent.
  enum class Ending {
    clean,      // at a message boundary, no page begun since the last page end
    pageCut,    // at a message boundary, but blocks of an unfinished page came
    loneByte,   // one byte that is no message start on its own: an unknown status
    truncated,  // inside a header, a payload or a page-end record
  };

  // pageLimit: the most payload bytes one page may gather; reserve: the
  // capacity the page data starts with.
  PageStreamParser(std::size_t pageLimit, std::size_t reserve);

  // Takes bytes from the front of `input` up to the next event. The record
  // and the page stay valid until the next call.
  Kind next(std::span<const std::uint8_t>& input);

  std::span<const std::uint8_t> record() const { return {record_.data(), recordSize_}; }
  std::size_t payloadLength() const { return payloadLength_; }
  int statusByte() const { return statusByte_; }
  std::span<const std::uint8_t> page() const { return page_; }
  // Payload bytes announced by the block headers since the last page end.
  std::size_t announcedSize() const { return announced_; }
  // A block header came since the last page end (or the start).
  bool pageInProgress() const { return blocksInPage_ > 0 && !startNewPage_; }

  Ending ending() const;
  // The byte held when ending() is loneByte.
  int loneByte() const { return record_[0]; }

 private:
  std::size_t pageLimit_;
  std::vector<std::uint8_t> page_;
  std::array<std::uint8_t, kBlockHeaderSize> record_{};
  std::size_t recordSize_ = 0;  // bytes of the record gathered or handed out
  std::size_t recordNeed_ = 0;  // 0 at a message boundary
  std::size_t remaining_ = 0;   // payload bytes of the current block still to come
  std::size_t payloadLength_ = 0;
  std::size_t announced_ = 0;
  std::size_t blocksInPage_ = 0;
  int statusByte_ = 0;
  bool startNewPage_ = false;
  bool stopped_ = false;
};

}  // namespace scan
