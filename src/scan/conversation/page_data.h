#pragma once
// The messages a scanner sends its pages in after the X command, on either
// transport: data blocks (a 12-byte block header, then L page bytes), the
// 10-byte page-end record, and single status bytes, 0x80 ending the job. How
// the messages are told apart differs: a TCP stream is taken apart by the
// messages' first bytes (page_stream.h), a USB transfer carries whole
// messages and is judged by its length (usb_page_reader.h).

#include <cstddef>
#include <cstdint>
#include <span>

namespace scan {

inline constexpr std::size_t kBlockHeaderSize = 12;
inline constexpr std::size_t kPageEndRecordSize = 10;
inline constexpr std::uint8_t kPageEndMark = 0x82;  // the page-end record's first byte

using BlockHeader = std::span<const std::uint8_t, kBlockHeaderSize>;

// Header bytes 3-4, low byte first: the device's page number.
inline std::uint16_t blockPageNumber(BlockHeader header) {
  return static_cast<std::uint16_t>(header[3] | header[4] << 8);
}

// Header bytes 10-11, low byte first: the payload length L.
inline std::uint16_t blockPayloadLength(BlockHeader header) {
  return static_cast<std::uint16_t>(header[10] | header[11] << 8);
}

}  // namespace scan
