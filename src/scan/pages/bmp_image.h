#pragma once
// The 1-bit BMP format of the scan's "-%04d.bmp" files: a 62-byte header with
// a two-entry palette (0 black, 1 white), rows bottom row first.

#include <array>
#include <concepts>
#include <cstddef>
#include <cstdint>
#include <span>
#include <vector>

#include "scan/scan_param.h"

namespace scan {

inline constexpr std::size_t kBWBMPHeaderSize = 62;

// The header fields in file order, with their defaults.
struct BMPHeader {
  static constexpr std::uint8_t bfType0 = 0x42;  // 'B'
  static constexpr std::uint8_t bfType1 = 0x4D;  // 'M'
  std::uint32_t bfSize = 0;
  std::uint16_t bfReserved1 = 0;
  std::uint16_t bfReserved2 = 0;
  std::uint32_t bfOffBits = 62;
  std::uint32_t biSize = 40;
  std::uint32_t biWidth = 0;
  std::uint32_t biHeight = 0;
  std::uint16_t biPlanes = 1;
  std::uint16_t biBitCount = 1;
  std::uint32_t biCompression = 0;
  std::uint32_t biSizeImage = 0;
  std::uint32_t biXPelsPerMeter = 0;
  std::uint32_t biYPelsPerMeter = 0;
  std::uint32_t biClrUsed = 2;
  std::uint32_t biClrImportant = 0;
};

// A fixed-width integer's bytes, least significant first.
template <std::integral T>
std::array<std::uint8_t, sizeof(T)> byteArray(T value) {
  std::array<std::uint8_t, sizeof(T)> bytes{};
  auto bits = static_cast<std::make_unsigned_t<T>>(value);
  for (auto& byte : bytes) {
    byte = static_cast<std::uint8_t>(bits & 0xFFu);
    bits = static_cast<std::make_unsigned_t<T>>(bits >> 4 >> 4);
  }
  return bytes;
}

// The little-endian 32-bit field at `at`; the caller checks the size.
inline std::uint32_t readLE32(std::span<const std::uint8_t> bytes, std::size_t at) {
  return static_cast<std::uint32_t>(bytes[at]) | static_cast<std::uint32_t>(bytes[at + 1]) << 8 |
         static_cast<std::uint32_t>(bytes[at + 2]) << 16 |
         static_cast<std::uint32_t>(bytes[at + 3]) << 24;
}

// Bytes of a stored row: whole groups of 4 bytes, as the format asks. Equals
// width / 8 for the widths a scan produces (multiples of 32).
std::size_t bwBmpRowStride(std::uint32_t width);

// Header and palette for width x height pixels; empty when the file could not
// say its size in 32 bits.
std::vector<std::uint8_t> bwBmpHeader(std::int64_t width, std::int64_t height);

// The header of a received 1-bit page of this scan (w x pageRows); logs it
// as one line.
std::vector<std::uint8_t> getBWBMPHeader(const ScanParam& param);

// A whole BMP file: `header` (of bwBmpHeader) followed by the rows of a raster
// of that height, top row first, each `rasterRowBytes` bytes, most
// significant bit leftmost, 1 white. Rows the raster lacks, and pixels right
// of its rows, are white: a short page is never read past its end.
std::vector<std::uint8_t> withBWRows(std::vector<std::uint8_t> header,
                                     std::span<const std::uint8_t> raster,
                                     std::size_t rasterRowBytes);

}  // namespace scan
