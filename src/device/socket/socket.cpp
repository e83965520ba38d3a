#include "device/socket/socket.h"

#include <unistd.h>

namespace device::socket {

void Socket::close() {
  if (fd_) {
    ::close(*fd_);
    fd_.reset();
  }
}

}  // namespace device::socket
