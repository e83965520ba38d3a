#include "device/socket/socket_support.h"

#include <arpa/inet.h>
#include <netdb.h>

#include <algorithm>
#include <chrono>
#include <cstring>
#include <memory>

#include "device/common/wait.h"

namespace device::socket::detail {

int waitFor(int fd, short events, long long timeoutMs) {
  if (timeoutMs < 0) {
    return waitReady(fd, events, std::nullopt);
  }
  return waitReady(fd, events, std::chrono::steady_clock::now() + std::chrono::milliseconds(timeoutMs));
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
