#pragma once
// What the socket helpers share: bounded waits, IPv4 addresses and their
// texts. Internal to device/socket.

#include <netinet/in.h>

#include "device/socket/ysocket.h"

namespace device::socket::detail {

// Waits until fd is ready for `events`, at most timeoutMs milliseconds
// (negative: without limit). 1 ready, 0 time out, -1 failure (a descriptor
// that is not open included). An interrupted wait goes on with the time left.
int waitFor(int fd, short events, long long timeoutMs);

// Whole seconds as milliseconds, for waits.
long long secondsToMs(int seconds);

// The host's first IPv4 address (a dotted text needs no lookup).
bool resolveIPv4(const char* host, in_addr& address);

// A dotted IPv4 text, strictly (no names, no shorthand forms).
bool parseDotted(const char* text, in_addr& address);

// A socket address for a dotted text and port; false when either is not one.
bool makeAddress(const char* text, int port, sockaddr_in& out);

// Writes the address's dotted text, zero-terminated, into `text` and its
// port (host order) into *port when port is not null.
void writePeer(const sockaddr_in& peer, AddressText text, int* port);

}  // namespace device::socket::detail
