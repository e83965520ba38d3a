#include "socket_test_support.h"

#include <arpa/inet.h>
#include <netinet/in.h>
#include <sys/socket.h>
#include <unistd.h>

#include "device/socket/ysocket.h"

namespace device::socket::testing {

int closedPort() {
  const int fd = ytcpsocket_listen("127.0.0.1", 0);
  const int port = ytcpsocket_port(fd);
  ytcpsocket_close(fd);
  return port;
}

SilentListener::SilentListener() {
  sockaddr_in address{};
  address.sin_family = AF_INET;
  address.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
  socklen_t length = sizeof address;
  listener_ = ::socket(AF_INET, SOCK_STREAM | SOCK_CLOEXEC, 0);
  if (::bind(listener_, reinterpret_cast<const sockaddr*>(&address), sizeof address) != 0 ||
      ::listen(listener_, 0) != 0 ||
      ::getsockname(listener_, reinterpret_cast<sockaddr*>(&address), &length) != 0) {
    ADD_FAILURE() << "cannot make a listener";
    return;
  }
  port_ = ntohs(address.sin_port);
  // The one connection a backlog of 0 holds; requests after it are dropped.
  filler_ = ::socket(AF_INET, SOCK_STREAM | SOCK_CLOEXEC, 0);
  if (::connect(filler_, reinterpret_cast<const sockaddr*>(&address), sizeof address) != 0) {
    ADD_FAILURE() << "cannot fill the accept queue";
  }
}

SilentListener::~SilentListener() {
  ::close(filler_);
  ::close(listener_);
}

std::string text(const std::vector<std::uint8_t>& bytes) { return std::string(bytes.begin(), bytes.end()); }

void QuickPacing::SetUp() {
  setSocketPacing({std::chrono::milliseconds(5), std::chrono::milliseconds(300)});
}

void QuickPacing::TearDown() { setSocketPacing({}); }

}  // namespace device::socket::testing
