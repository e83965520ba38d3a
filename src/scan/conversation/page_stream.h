#pragma once
// The page data a scanner streams over TCP after the X command, taken apart
// by its structure (the messages of page_data.h): 12-byte block headers with
// their payloads, 10-byte page-end records beginning 0x82, and status bytes,
// which the device sends alone and last (0x80 ends the job). TCP keeps no
// message boundaries, and header bytes 0-2 carry nothing the host reads, so
// they may hold any value, 0x80, 0x82 and status values included. A message
// is told at its boundary by its first byte and by where the read holding it
// ends ("first header": the stream's first block header). The first row
// that matches decides:
//
//   at a message boundary                        is
//   one byte, last of its read, before the       held, whatever its value: the
//     first header                               next read goes on with it;
//                                                quiet() makes it a status
//                                                byte
//   one byte, last of its read, neither the      a status byte, at once
//     first header's byte 0 nor 0x82
//   one byte, last of its read, any other        held: the next read goes on
//                                                with it; quiet() makes it a
//                                                status byte
//   a byte other than 0x82                       a block header
//   0x82 beginning a read of exactly 10 bytes    a page-end record (the
//                                                device's pacing: one message
//                                                to a read)
//   0x82 beginning a read of exactly 11 bytes    a page-end record; the 11th
//                                                byte ends the job when it is
//                                                0x80 and is dropped otherwise
//   0x82 before the first header                 a block header
//   0x82 and bytes 0-2 those of the first header a block header
//   0x82 otherwise                               a page-end record
//
// What stays ambiguous, because the bytes alone do not tell:
//   - When the headers begin with 0x82, a page-end record whose bytes 1-2 are
//     the first header's and that does not come as a read of its own is taken
//     for a header; a header that TCP hands over as a read of exactly 10 or
//     11 bytes from its first byte is taken for a page-end record.
//   - A page-end record that TCP hands over with the next header's first
//     byte, as a read of exactly 11 bytes, has that byte dropped (or, when it
//     is 0x80, taken for the job's end).
//   - A status byte other than 0x80 that TCP hands over together with the
//     page-end record before it (to a host slow to read), as a read of
//     exactly 11 bytes, is dropped too. Nothing follows it, so the receiver
//     ends the scan only at its read time-out, as a network error with the
//     pages before it kept; were the device to close the connection behind
//     the byte, the stream would end clean and the scan succeed with those
//     pages.
//   - The headers of one stream are taken to begin alike (bytes 0-2 when they
//     begin with 0x82, byte 0 otherwise): a device that varies them may have
//     a page-end record taken for a header, or a header's first byte, when a
//     read ends right behind it, for a status byte.
//   - A page-end record first in the stream (an empty first page) is known
//     only by its read's length.
//   - A device that sends a message's first byte and then falls silent long
//     enough for the receiver to call quiet() has that byte taken for a
//     status byte.
//
// Use: feed() each read, then next() until it says needMore; when the stream
// falls silent or ends, quiet() hands out a held byte.

#include <array>
#include <cstddef>
#include <cstdint>
#include <optional>
#include <span>
#include <vector>

#include "scan/conversation/page_data.h"

namespace scan {

class PageStreamParser {
 public:
  enum class Event {
    needMore,      // the read is used up: feed the next one
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
    loneByte,   // a byte is held: quiet() hands it out
    truncated,  // inside a header, a payload or a page-end record
  };

  // pageLimit: the most payload bytes one page may gather; reserve: the
  // capacity the page data starts with.
  PageStreamParser(std::size_t pageLimit, std::size_t reserve);

  // The next read of the stream. The parser keeps it, so it must stay
  // valid (and the previous one used up) until next() says needMore.
  void feed(std::span<const std::uint8_t> read);

  // The next event from the read fed. The record and the page stay valid
  // until the next call.
  Event next();

  // The stream fell silent or ended: a held byte becomes a status byte
  // (Event::status); with nothing held, needMore.
  Event quiet();

  Ending ending() const;

  std::span<const std::uint8_t> record() const { return std::span(record_).first(recordSize_); }
  std::size_t payloadLength() const { return payloadLength_; }
  int statusByte() const { return statusByte_; }
  int droppedByte() const { return droppedByte_; }
  std::span<const std::uint8_t> page() const { return page_; }
  // Payload bytes announced by the block headers of the page.
  std::size_t announcedSize() const { return announced_; }
  // A block header came since the last page end (or the start).
  bool pageInProgress() const { return blocksInPage_ > 0; }

 private:
  enum class State {
    boundary,    // between messages
    heldByte,    // record_[0], the last byte of its read, may begin a message
    record,      // inside a block header or page-end record: recordSize_ bytes in
    payload,     // inside a block's payload: remaining_ bytes to come
    byteBehind,  // the page-end record filled 10 of its read's 11 bytes
    stopped,     // a page outgrew the limit
  };

  std::uint8_t take();
  // A byte alone at a boundary may begin a header or a page-end record.
  bool mayBeginAMessage(std::uint8_t byte) const;
  // The length of the record begun, from its bytes so far: a block header's
  // or a page-end record's, 0 while more of them are needed.
  std::size_t decideLength() const;
  Event finishRecord();
  // The first block of a page, or a page-end record with none, begins the
  // page: what is left of the page before goes.
  void beginPageIfNew();

  State state_ = State::boundary;
  std::span<const std::uint8_t> read_;
  std::size_t readAt_ = 0;  // bytes of read_ taken
  std::size_t pageLimit_;
  std::vector<std::uint8_t> page_;
  std::array<std::uint8_t, kBlockHeaderSize> record_{};
  std::size_t recordSize_ = 0;    // bytes of the record gathered or handed out
  std::size_t recordLength_ = 0;  // 0 while undecided
  bool pacedRead_ = false;        // the record began a read of 10 or 11 bytes
  std::size_t remaining_ = 0;     // payload bytes of the current block still to come
  std::size_t payloadLength_ = 0;
  std::size_t announced_ = 0;
  std::size_t blocksInPage_ = 0;
  std::optional<std::array<std::uint8_t, 3>> firstHeaderStart_;
  int statusByte_ = 0;
  int droppedByte_ = 0;
};

}  // namespace scan
