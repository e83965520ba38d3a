#pragma once
// Bounded waits on one descriptor, with poll(), so descriptors of any number
// work.

#include <chrono>
#include <optional>

namespace device {

// Waits until fd is ready for `events` or `deadline` passes (none: without
// limit). 1 ready, 0 time out, -1 failure with errno set (a descriptor that
// is not open: EBADF). An interrupted wait goes on with the time left.
int waitReady(int fd, short events, std::optional<std::chrono::steady_clock::time_point> deadline);

}  // namespace device
