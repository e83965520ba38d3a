#pragma once

#include <cups/raster.h>

#include <cstddef>

namespace printfilter {

// The job's raster input (standard input, or the file named on the command
// line), read through libcups. libcups answers "no page" both at the end of
// the input and for bytes it cannot take as a raster stream or a page
// header; the reads are watched so that the flow can tell the two apart.
class RasterInput {
 public:
  // Takes the descriptor; it is closed with the input unless it is standard input.
  explicit RasterInput(int fd);
  ~RasterInput();
  RasterInput(const RasterInput&) = delete;
  RasterInput& operator=(const RasterInput&) = delete;

  // Null when the input did not begin as a raster stream (or was empty).
  cups_raster_t* get() const { return raster_; }
  // Whether any byte arrived: an empty input is a job without pages.
  bool sawData() const { return bytes_ > 0; }
  // Whether the input has ended: libcups refusing a page header before
  // that means bytes it could not read, not the end of the job.
  bool atEnd() const { return atEnd_; }
  // errno of a failed read, 0 when none failed.
  int readError() const { return readError_; }

 private:
  static ssize_t readSome(void* context, unsigned char* buffer, std::size_t length);

  int fd_;
  std::size_t bytes_ = 0;
  bool atEnd_ = false;
  int readError_ = 0;
  cups_raster_t* raster_ = nullptr;
};

}  // namespace printfilter
