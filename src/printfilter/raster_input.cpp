#include "printfilter/raster_input.h"

#include <poll.h>
#include <unistd.h>

#include <cerrno>

namespace printfilter {

RasterInput::RasterInput(int fd) : fd_(fd) { raster_ = cupsRasterOpenIO(readSome, this, CUPS_RASTER_READ); }

RasterInput::~RasterInput() {
  if (raster_ != nullptr) cupsRasterClose(raster_);
  if (fd_ != STDIN_FILENO) ::close(fd_);
}

ssize_t RasterInput::readSome(void* context, unsigned char* buffer, std::size_t length) {
  auto& input = *static_cast<RasterInput*>(context);
  for (;;) {
    const ssize_t n = ::read(input.fd_, buffer, length);
    if (n > 0) {
      input.bytes_ += static_cast<std::size_t>(n);
      return n;
    }
    if (n == 0) {
      input.atEnd_ = true;
      return 0;
    }
    if (errno == EINTR) continue;
    if (errno == EAGAIN || errno == EWOULDBLOCK) {
      // A non-blocking input: wait for data as a blocking read would.
      pollfd ready{input.fd_, POLLIN, 0};
      ::poll(&ready, 1, -1);
      continue;
    }
    input.readError_ = errno;
    return -1;
  }
}

}  // namespace printfilter
