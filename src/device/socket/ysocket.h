#pragma once
// C-style helpers over POSIX sockets for TCP and UDP on IPv4: descriptors and
// counts are plain ints, addresses dotted text, failures negative results.
// The socket classes (tcp_client.h, tcp_server.h, udp_client.h, udp_server.h)
// are built on them.
//
// Waits use poll(), so descriptors of any number work. An address text is
// written into the caller's 16-byte buffer with its terminating zero
// ("255.255.255.255" and the zero fill it exactly), never past it.

#include <chrono>
#include <cstddef>
#include <span>

namespace device::socket {

// Room for the longest dotted IPv4 text and its terminating zero.
inline constexpr std::size_t kAddressTextLength = 16;
using AddressText = std::span<char, kAddressTextLength>;

// Flag 0 makes the descriptor non-blocking, any other value blocking.
void ytcpsocket_set_block(int fd, int block);

// Connects to host (a dotted address or a name, resolved to its first IPv4
// address) and port, waiting up to `timeout` seconds. The descriptor (left
// non-blocking), or -1 host not resolvable, -2 wait failed, -3 time-out,
// -4 connection refused or failed.
int ytcpsocket_connect(const char* host, int port, int timeout);

void ytcpsocket_close(int fd);

// With `timeout` > 0, waits up to that many seconds for data: 0 when none
// came, -1 when the wait failed. Then reads without blocking while data
// flows, until the buffer is full or nothing more is waiting; while nothing
// has come yet, tries again after a pause (socketPacing().pullRetryPause),
// 29 tries in all. The bytes read (0 when nothing came).
int ytcpsocket_pull(int fd, char* data, int length, int timeout);

// Bytes waiting to be read, or a negative result when the query fails.
int ytcpsocket_bytes_available(int fd);

// Writes all `length` bytes (waiting for room while the peer takes data,
// up to socketPacing().sendRoomWait each time). `length`, or -1.
int ytcpsocket_send(int fd, const char* data, int length);

// A listening descriptor on the dotted address and port (backlog 128), or
// -1 bind failed, -2 listen failed.
int ytcpsocket_listen(const char* address, int port);

// Waits for a connection, up to `timeout` seconds when it is > 0, else
// without limit; the new descriptor with the peer's address text and port,
// or -1.
int ytcpsocket_accept(int listenFd, AddressText address, int* port, int timeout);

// The local port, or -1.
int ytcpsocket_port(int fd);

// A UDP descriptor bound to address and port (any local address when the
// address is null, empty or "255.255.255.255"), or -1.
int yudpsocket_server(const char* address, int port);

// Receives one datagram into data; the sender's address text and port are
// written in every case (0.0.0.0 and 0 when nothing came). The byte count,
// or a negative result.
int yudpsocket_recive(int fd, char* data, int length, AddressText address, int* port);

void yudpsocket_close(int fd);

// A new UDP descriptor, or -1.
int yudpsocket_client();

// Broadcast permission on: 0, or -1.
int enable_broadcast(int fd);

// The host's first IPv4 address as text: 0, or -1 when it does not resolve.
int yudpsocket_get_server_ip(const char* host, AddressText address);

// One datagram to the dotted address and port: the bytes sent, or a
// negative result.
int yudpsocket_sentto(int fd, const char* data, int length, const char* address, int port);

// The helpers' pauses, as the program has them by default; tests shorten them.
struct SocketPacing {
  // Between two reads of ytcpsocket_pull while nothing has come.
  std::chrono::milliseconds pullRetryPause{1000};
  // How long ytcpsocket_send waits for room in a full send buffer.
  std::chrono::milliseconds sendRoomWait{30000};
};

void setSocketPacing(SocketPacing pacing);
SocketPacing socketPacing();

}  // namespace device::socket
