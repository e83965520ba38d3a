#include "printfilter/page_rows.h"

#include <algorithm>
#include <cstring>

namespace printfilter {

bool RasterRowReader::readInto(std::uint8_t* buffer) {
  if (ended_) return false;
  if (read_ < height_ && cupsRasterReadPixels(raster_, buffer, bytesPerLine_) == bytesPerLine_) {
    ++read_;
    return true;
  }
  ended_ = true;
  log_.line("DEBUG:[KTR6620LXV] raster data ended at row %zu of %zu, the rest of the page is white\n", read_,
            height_);
  return false;
}

void RasterRowReader::skipRest(std::uint8_t* buffer) {
  while (!ended_ && read_ < height_) readInto(buffer);
}

bool pageIsTurned(Sides sides, int page) { return sides == Sides::LongEdge && page % 2 == 0; }

StreamedRows::StreamedRows(RasterRowReader& reader, std::size_t width) : reader_(reader), width_(width) {
  for (auto& buffer : window_) buffer.resize(reader.bytesPerLine());
}

const std::uint8_t* StreamedRows::row(std::size_t y) {
  while (next_ <= y) {
    std::vector<std::uint8_t>& buffer = window_[next_ % 2];
    if (!reader_.readInto(buffer.data())) std::memset(buffer.data(), 255, width_);
    ++next_;
  }
  return window_[y % 2].data();
}

void StreamedRows::finish() { reader_.skipRest(window_[0].data()); }

TurnedPage::TurnedPage(RasterRowReader& reader, std::size_t width, std::size_t height)
    : width_(width), pixels_(width * height, 255) {
  std::vector<std::uint8_t> buffer(reader.bytesPerLine());
  for (std::size_t y = 0; y < height && reader.readInto(buffer.data()); ++y) {
    std::uint8_t* stored = &pixels_[(height - 1 - y) * width];
    std::reverse_copy(buffer.begin(), buffer.begin() + static_cast<std::ptrdiff_t>(width), stored);
  }
}

}  // namespace printfilter
