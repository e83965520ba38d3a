#pragma once

#include <cups/raster.h>

#include <array>
#include <cstddef>
#include <cstdint>
#include <vector>

#include "printfilter/job_settings.h"
#include "printfilter/log.h"
#include "printfilter/scaling.h"

namespace printfilter {

// Reads one page's rows from the raster stream, each into a buffer of
// cupsBytesPerLine bytes. Once the page's data ends early (a short or failed
// read) nothing more is read: the caller makes the remaining rows white.
class RasterRowReader {
 public:
  RasterRowReader(cups_raster_t* raster, unsigned bytesPerLine, std::size_t height, Log& log)
      : raster_(raster), bytesPerLine_(bytesPerLine), height_(height), log_(log) {}

  unsigned bytesPerLine() const { return bytesPerLine_; }
  // False once the data has ended; the buffer is then untouched.
  bool readInto(std::uint8_t* buffer);
  // Reads the rows nobody asked for, so that the next page header follows.
  void skipRest(std::uint8_t* buffer);
  bool endedEarly() const { return ended_; }

 private:
  cups_raster_t* raster_;
  unsigned bytesPerLine_;
  std::size_t height_;
  Log& log_;
  std::size_t read_ = 0;
  bool ended_ = false;
};

// Even pages of a long-edge duplex job are turned by 180 degrees, so that
// the back side stands the same way up as the front.
bool pageIsTurned(Sides sides, int page);

// A page's rows as they arrive, two rows kept at a time: no copy of the page.
class StreamedRows final : public GreyRows {
 public:
  StreamedRows(RasterRowReader& reader, std::size_t width);
  const std::uint8_t* row(std::size_t y) override;
  // Reads whatever rows of the page were not asked for.
  void finish();

 private:
  RasterRowReader& reader_;
  std::size_t width_;
  std::array<std::vector<std::uint8_t>, 2> window_;
  std::size_t next_ = 0;
};

// A whole page read at once, turned by 180 degrees: raster row y, reversed,
// is page row H-1-y. Rows past an early end are white.
class TurnedPage final : public GreyRows {
 public:
  TurnedPage(RasterRowReader& reader, std::size_t width, std::size_t height);
  const std::uint8_t* row(std::size_t y) override { return &pixels_[y * width_]; }

 private:
  std::size_t width_;
  std::vector<std::uint8_t> pixels_;
};

}  // namespace printfilter
