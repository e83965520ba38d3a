#include "device/common/wait.h"

#include <poll.h>

#include <algorithm>
#include <cerrno>
#include <climits>

namespace device {

int waitReady(int fd, short events, std::optional<std::chrono::steady_clock::time_point> deadline) {
  for (;;) {
    int wait = -1;
    if (deadline) {
      const auto left =
          std::chrono::ceil<std::chrono::milliseconds>(*deadline - std::chrono::steady_clock::now()).count();
      wait = static_cast<int>(std::clamp<long long>(left, 0, INT_MAX));
    }
    pollfd ready{fd, events, 0};
    const int count = ::poll(&ready, 1, wait);
    if (count > 0 && (ready.revents & POLLNVAL) != 0) {
      errno = EBADF;
      return -1;
    }
    if (count >= 0) {
      return count > 0 ? 1 : 0;
    }
    if (errno != EINTR) {
      return -1;
    }
  }
}

}  // namespace device
