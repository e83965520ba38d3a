#pragma once

#include <cstddef>
#include <cstdint>
#include <vector>

#include "printfilter/halftone.h"
#include "printfilter/scaling.h"

namespace printfilter {

// One bit per pixel, rows of (width + 7) / 8 bytes without padding between
// them, first pixel in the top bit, 1 black. Starts all white.
struct BitPage {
  BitPage(std::size_t w, std::size_t h) : width(w), height(h), bytesPerRow((w + 7) / 8), bits(bytesPerRow * h, 0) {}

  std::uint8_t* row(std::size_t y) { return &bits[y * bytesPerRow]; }
  const std::uint8_t* row(std::size_t y) const { return &bits[y * bytesPerRow]; }

  std::size_t width;
  std::size_t height;
  std::size_t bytesPerRow;
  std::vector<std::uint8_t> bits;
};

// Scales and halftones a page row by row: at ratio 1.0 straight from the
// source rows, otherwise through one scaled row at a time.
BitPage renderPage(GreyRows& source, std::size_t width, std::size_t height, Scaler& scaler,
                   const Screen& screen);

}  // namespace printfilter
