#include "device/socket/socket_support.h"

#include <arpa/inet.h>
#include <netdb.h>
#include <poll.h>

#include <algorithm>
#include <cerrno>
#include <chrono>
#include <climits>
#include <cstring>
#include <memory>

namespace device::socket::detail {

int waitFor(int fd, short events, long long timeoutMs) {
  using Clock = std::chrono::steady_clock;
  const bool limited = timeoutMs >= 0;
  const Clock::time_point deadline = Clock::now() + std::chrono::milliseconds(limited ? timeoutMs : 0);
  for (;;) {
    int wait = -1;
    if (limited) {
      const auto left = std::chrono::ceil<std::chrono::milliseconds>(deadline - Clock::now()).count();
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

long long secondsToMs(int seconds) { return static_cast<long long>(seconds) * 1000; }

bool parseDotted(const char* text, in_addr& address) {
  return text != nullptr && ::inet_pton(AF_INET, text, &address) == 1;
}

bool resolveIPv4(const char* host, in_addr& address) {
  if (host == nullptr || *host == '\0') {
    return false;
  }
  if (parseDotted(host, address)) {
    return true;
  }
  addrinfo hints{};
  hints.ai_family = AF_INET;
  hints.ai_socktype = SOCK_STREAM;
  addrinfo* found = nullptr;
  if (::getaddrinfo(host, nullptr, &hints, &found) != 0 || found == nullptr) {
    return false;
  }
  const std::unique_ptr<addrinfo, decltype(&::freeaddrinfo)> owner(found, &::freeaddrinfo);
  address = reinterpret_cast<const sockaddr_in*>(found->ai_addr)->sin_addr;
  return true;
}

bool makeAddress(const char* text, int port, sockaddr_in& out) {
  out = sockaddr_in{};
  out.sin_family = AF_INET;
  if (port < 0 || port > 65535 || !parseDotted(text, out.sin_addr)) {
    return false;
  }
  out.sin_port = htons(static_cast<std::uint16_t>(port));
  return true;
}

void writePeer(const sockaddr_in& peer, AddressText text, int* port) {
  char dotted[INET_ADDRSTRLEN] = {};
  if (::inet_ntop(AF_INET, &peer.sin_addr, dotted, sizeof dotted) == nullptr) {
    dotted[0] = '\0';
  }
  static_assert(INET_ADDRSTRLEN <= kAddressTextLength);
  std::fill(text.begin(), text.end(), '\0');
  std::memcpy(text.data(), dotted, std::strlen(dotted));
  if (port != nullptr) {
    *port = ntohs(peer.sin_port);
  }
}

}  // namespace device::socket::detail
