#include "printfilter/raster_input.h"

#include <poll.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <cstring>

namespace printfilter {

namespace {

// One read() per block instead of one per row of an uncompressed raster
// (libcups reads those row by row; it buffers compressed ones itself).
constexpr std::size_t kBlockSize = 64 * 1024;

}  // namespace

RasterInput::RasterInput(int fd) : fd_(fd), block_(kBlockSize) {
  raster_ = cupsRasterOpenIO(readSome, this, CUPS_RASTER_READ);
}

RasterInput::~RasterInput() {
  if (raster_ != nullptr) cupsRasterClose(raster_);
  if (fd_ != STDIN_FILENO) ::close(fd_);
}

RasterInput::Next RasterInput::nextPage(cups_page_header2_t& header) {
  requests_ = firstRequest_ = delivered_ = 0;
  if (cupsRasterReadHeader2(raster_, &header) != 0) {
    if (wholeHeader_ == 0) wholeHeader_ = firstRequest_;
    return Next::Page;
  }
  if (readError_ != 0) return Next::ReadFailed;
  if (!atEnd_ || requests_ == 0) return Next::Unreadable;
  // libcups asks for a whole header at once when it holds no bytes of its
  // own; a shorter (or other) first request means it held the header's
  // beginning. A clean end is that whole request answered with nothing.
  const bool wholeRequest = wholeHeader_ == 0 || firstRequest_ == wholeHeader_;
  return delivered_ == 0 && wholeRequest ? Next::End : Next::CutShort;
}

ssize_t RasterInput::readSome(void* context, unsigned char* buffer, std::size_t length) {
  auto& input = *static_cast<RasterInput*>(context);
  if (input.requests_++ == 0) input.firstRequest_ = length;
  if (input.blockAt_ == input.blockEnd_) {
    if (length >= input.block_.size()) {  // as large as a block: no need to copy
      const ssize_t n = input.readFd(buffer, length);
      if (n > 0) input.delivered_ += static_cast<std::size_t>(n);
      return n;
    }
    const ssize_t filled = input.readFd(input.block_.data(), input.block_.size());
    if (filled <= 0) return filled;
    input.blockAt_ = 0;
    input.blockEnd_ = static_cast<std::size_t>(filled);
  }
  const std::size_t n = std::min(length, input.blockEnd_ - input.blockAt_);
  std::memcpy(buffer, &input.block_[input.blockAt_], n);
  input.blockAt_ += n;
  input.delivered_ += n;
  return static_cast<ssize_t>(n);
}

ssize_t RasterInput::readFd(unsigned char* buffer, std::size_t length) {
  for (;;) {
    const ssize_t n = ::read(fd_, buffer, length);
    if (n > 0) {
      bytes_ += static_cast<std::size_t>(n);
      return n;
    }
    if (n == 0) {
      atEnd_ = true;
      return 0;
    }
    if (errno == EINTR) continue;
    if (errno == EAGAIN || errno == EWOULDBLOCK) {
      // A non-blocking input: wait for data as a blocking read would.
      pollfd ready{fd_, POLLIN, 0};
      ::poll(&ready, 1, -1);
      continue;
    }
    readError_ = errno;
    return -1;
  }
}

}  // namespace printfilter
