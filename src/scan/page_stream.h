#pragma once
// The page data a scanner streams over TCP after the X command, taken apart
// by its structure (the messages of page_data.h):
//   data block       12-byte header (bytes 10-11: payload length L, low byte
//                    first), then L bytes of page data;
//   page-end record  10 bytes, the first 0x82;
//   status byte      one byte, sent alone and last; 0x80 ends the job.
// A page is the payloads of the blocks since the previous page-end record.
//
// The device writes one message at a time, but TCP keeps no message
// boundaries: a read may end inside a header, or carry a page-end record
// together with the next block's header. Header bytes 0-2 carry nothing the
// host reads and may hold any value, 0x80, 0x82 and status values included.
// So a message is told apart at its boundary by structure and by where the
// read that holds it ends:
//   - A byte with more bytes behind it is no status byte: the device sends a
//     status byte alone and last. A byte with nothing behind it is a status
//     byte at once when it can begin no other message: it differs from byte
//     0 of the stream's first header, and from 0x82. Any other
//     (Ending::loneByte) is held until the stream has stayed quiet for a
//     settle time or ended; only then judgeLoneByte() takes it for a status
//     byte. If more bytes come first, it begins a header or a page-end record.
//   - A first byte other than 0x82 begins a block header.
//   - 0x82 begins a page-end record when the read begins with it and holds
//     exactly 10 bytes, or 11 (the record and one byte behind it): the
//     device's pacing, one message to a read. The 11th byte ends the job
//     when it is 0x80 (the job-end byte) and is dropped otherwise.
//   - Otherwise 0x82 begins a header before the stream's first header, and
//     after it when that first header began with 0x82 and bytes 0-2 repeat
//     its bytes 0-2; in every other case it begins a page-end record.
//
// What stays ambiguous, because the bytes alone do not tell:
//   - When the stream's headers begin with 0x82, a page-end record whose
//     bytes 1-2 equal the first header's bytes 1-2 and that does not come as
//     a read of its own is taken for a header; a header that TCP hands over
//     as a read of exactly 10 or 11 bytes from its first byte is taken for
//     a page-end record.
//   - A page-end record that TCP hands over with the next header's first
//     byte, as a read of exactly 11 bytes, has that byte dropped (or, when
//     it is 0x80, taken for the job's end).
//   - The headers of one stream are taken to begin with the same byte, and
//     with the same bytes 0-2 when that byte is 0x82: a device that varies
//     them may have a page-end record taken for a header, or a header's
//     first byte, when a read ends right behind it, for a status byte.
//   - A page-end record first in the stream (an empty first page) is known
//     only by its read's length.
//   - A device that sends a message's first byte and then pauses beyond the
//     settle time has that byte taken for a status byte.

#include <array>
#include <cstddef>
#include <cstdint>
#include <optional>
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
    status,        // statusByte() is a status byte (0x80 included, or unknown)
    byteDropped,   // droppedByte() came behind a page-end record in its read
    pageTooLarge,  // the page grew beyond the limit; nothing more is parsed
  };

  // How the stream stands where it ends or falls silent.
  enum class Ending {
    clean,      // at a message boundary, no page begun since the last page end
    pageCut,    // at a message boundary, but blocks of an unfinished page came
    loneByte,   // one byte at a boundary with nothing behind it: judgeLoneByte()
    truncated,  // inside a header, a payload or a page-end record
  };

  // pageLimit: the most payload bytes one page may gather; reserve: the
  // capacity the page data starts with.
  PageStreamParser(std::size_t pageLimit, std::size_t reserve);

  // A new read: `input` is all of it. Its first next() call sees where it
  // begins and how long it is.
  void startRead(std::span<const std::uint8_t> input) { readSize_ = input.size(); }

  // Takes bytes from the front of `input` up to the next event. The record
  // and the page stay valid until the next call.
  Kind next(std::span<const std::uint8_t>& input);

  // Takes the lone byte as a status byte, once the stream stayed quiet or
  // ended behind it; only when ending() is loneByte.
  int judgeLoneByte();

  std::span<const std::uint8_t> record() const { return {record_.data(), recordSize_}; }
  std::size_t payloadLength() const { return payloadLength_; }
  int statusByte() const { return statusByte_; }
  int droppedByte() const { return droppedByte_; }
  std::span<const std::uint8_t> page() const { return page_; }
  // Payload bytes announced by the block headers since the last page end.
  std::size_t announcedSize() const { return announced_; }
  // A block header came since the last page end (or the start).
  bool pageInProgress() const { return blocksInPage_ > 0 && !startNewPage_; }

  Ending ending() const;

 private:
  enum class Record { none, undecided, header, pageEnd };
  // What the record begun at this boundary is, from the bytes held so far;
  // undecided while more of them are needed.
  Record classify() const;

  std::size_t pageLimit_;
  std::vector<std::uint8_t> page_;
  std::array<std::uint8_t, kBlockHeaderSize> record_{};
  std::size_t recordSize_ = 0;  // bytes of the record gathered or handed out
  Record kind_ = Record::none;
  // The record's first byte began a read of this many bytes (0: it did not).
  std::size_t recordReadSize_ = 0;
  // The page-end record just handed out came in a read of 11 bytes: the
  // byte behind it is judged by that read alone.
  bool byteBehindRecord_ = false;
  std::size_t readSize_ = 0;     // bytes of the current read
  std::size_t remaining_ = 0;    // payload bytes of the current block still to come
  std::size_t payloadLength_ = 0;
  std::size_t announced_ = 0;
  std::size_t blocksInPage_ = 0;
  std::optional<std::array<std::uint8_t, 3>> firstHeaderStart_;
  int statusByte_ = 0;
  int droppedByte_ = 0;
  bool startNewPage_ = false;
  bool stopped_ = false;
};

}  // namespace scan
