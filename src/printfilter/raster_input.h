#pragma once

#include <cups/raster.h>
#include <sys/types.h>

#include <cstddef>
#include <vector>

namespace printfilter {

// The job's raster input (standard input, or the file named on the command
// line), read through libcups in blocks rather than row by row. libcups
// answers "no page" alike at the end of the input, for bytes it cannot take
// as a page header, and for a header the input cuts short; its reads are
// watched so that the flow can tell these apart.
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

  enum class Next {
    Page,        // a page header was read
    End,         // the input ended where a page header would begin
    CutShort,    // the input ended inside a page header
    Unreadable,  // bytes that are not a page header
    ReadFailed,  // reading the input failed (readError())
  };
  // Reads the next page header (get() must not be null).
  Next nextPage(cups_page_header2_t& header);
  // errno of a failed read, 0 when none failed.
  int readError() const { return readError_; }

 private:
  static ssize_t readSome(void* context, unsigned char* buffer, std::size_t length);
  ssize_t readFd(unsigned char* buffer, std::size_t length);

  int fd_;
  std::vector<unsigned char> block_;
  std::size_t blockAt_ = 0, blockEnd_ = 0;
  std::size_t bytes_ = 0;
  bool atEnd_ = false;
  int readError_ = 0;
  // libcups's requests while it reads one page header: how many, the length
  // of the first, the bytes they got; and the length of the first request
  // for the first header, which is a whole header.
  std::size_t requests_ = 0, firstRequest_ = 0, delivered_ = 0, wholeHeader_ = 0;
  cups_raster_t* raster_ = nullptr;
};

}  // namespace printfilter
