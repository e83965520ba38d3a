#include "printfilter/bit_page.h"

namespace printfilter {

BitPage renderPage(GreyRows& source, std::size_t width, std::size_t height, Scaler& scaler,
                   const Screen& screen) {
  BitPage page(width, height);
  if (scaler.identity()) {
    for (std::size_t y = 0; y < height; ++y) halftoneRow(source.row(y), width, y, screen, page.row(y));
    return page;
  }
  // Rows below and columns right of the scaled image stay white (as the
  // page starts): grey 255 is above every threshold.
  std::vector<std::uint8_t> scaled(width);
  for (std::size_t y = 0; y < scaler.imageRows(); ++y) {
    scaler.scaleRow(y, source, scaled.data());
    halftoneRow(scaled.data(), scaler.imageColumns(), y, screen, page.row(y));
  }
  return page;
}

}  // namespace printfilter
