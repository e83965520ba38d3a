#include "scan/pages/bmp_image.h"

#include <algorithm>
#include <limits>
#include <string>
#include <utility>

#include "device/common/log.h"

namespace scan {

using device::logLine;
namespace {

template <std::integral T>
void append(std::vector<std::uint8_t>& out, T value) {
  const auto bytes = byteArray(value);
  out.insert(out.end(), bytes.begin(), bytes.end());
}

std::vector<std::uint8_t> serialize(const BMPHeader& header) {
  std::vector<std::uint8_t> out{BMPHeader::bfType0, BMPHeader::bfType1};
  out.reserve(kBWBMPHeaderSize);
  append(out, header.bfSize);
  append(out, header.bfReserved1);
  append(out, header.bfReserved2);
  append(out, header.bfOffBits);
  append(out, header.biSize);
  append(out, header.biWidth);
  append(out, header.biHeight);
  append(out, header.biPlanes);
  append(out, header.biBitCount);
  append(out, header.biCompression);
  append(out, header.biSizeImage);
  append(out, header.biXPelsPerMeter);
  append(out, header.biYPelsPerMeter);
  append(out, header.biClrUsed);
  append(out, header.biClrImportant);
  // Palette entries (blue, green, red, reserved): 0 black, 1 white.
  out.insert(out.end(), {0x00, 0x00, 0x00, 0x00, 0xFF, 0xFF, 0xFF, 0x00});
  return out;
}

}  // namespace

std::size_t bwBmpRowStride(std::uint32_t width) {
  return (static_cast<std::size_t>(width) + 31) / 32 * 4;
}

std::vector<std::uint8_t> bwBmpHeader(std::int64_t width, std::int64_t height) {
  constexpr auto limit = std::numeric_limits<std::uint32_t>::max();
  if (width <= 0 || height <= 0 || width > limit || height > limit) return {};
  const auto w = static_cast<std::uint32_t>(width);
  const auto h = static_cast<std::uint32_t>(height);
  const std::size_t imageSize = bwBmpRowStride(w) * h;
  if (imageSize > limit - kBWBMPHeaderSize) return {};
  BMPHeader header;
  header.bfSize = static_cast<std::uint32_t>(imageSize + kBWBMPHeaderSize);
  header.biWidth = w;
  header.biHeight = h;
  header.biSizeImage = static_cast<std::uint32_t>(imageSize);
  return serialize(header);
}

std::vector<std::uint8_t> getBWBMPHeader(const ScanParam& param) {
  auto header = bwBmpHeader(param.w, pageRows(param));
  logLine(device::byteList(header));
  return header;
}

std::vector<std::uint8_t> withBWRows(std::vector<std::uint8_t> header,
                                     std::span<const std::uint8_t> raster,
                                     std::size_t rasterRowBytes) {
  if (header.size() != kBWBMPHeaderSize) return {};
  const std::size_t stride = bwBmpRowStride(readLE32(header, 18));
  const std::size_t rows = readLE32(header, 22);
  const std::size_t copied = std::min(rasterRowBytes, stride);
  std::vector<std::uint8_t> file = std::move(header);
  file.resize(kBWBMPHeaderSize + stride * rows, 0xFF);
  auto* out = file.data() + kBWBMPHeaderSize;
  for (std::size_t i = 0; i < rows; ++i, out += stride) {
    // Stored bottom row first: file row i holds raster row rows - 1 - i.
    const std::size_t start = (rows - 1 - i) * rasterRowBytes;
    if (start >= raster.size()) continue;
    const std::size_t n = std::min(copied, raster.size() - start);
    std::copy_n(raster.begin() + static_cast<std::ptrdiff_t>(start), n, out);
  }
  return file;
}

}  // namespace scan
