#pragma once

// The TCP channel to a device: one connection to a host and port, used
// synchronously by the thread that connects it. The scanner's network
// scan builds its command, reply and page exchanges on readSome/writeAll.

#include <chrono>
#include <cstddef>
#include <cstdint>
#include <optional>
#include <span>
#include <string>
#include <string_view>

#include "device/tcp/stream_socket.h"

namespace device::tcp {

// State of one half of the channel, numbered as such stream states usually are.
enum class StreamStatus : int {
  notOpen = 0,
  opening = 1,
  open = 2,
  reading = 3,
  writing = 4,
  atEnd = 5,
  closed = 6,
  error = 7,
};

struct ChannelOptions {
  // How long connect() waits for the device to accept.
  std::chrono::milliseconds connectTimeout{5000};
  // How long one read waits for the first byte, and one write for room in
  // the send buffer: as long as a scanner may stay silent (paper feed,
  // warm-up) before the exchange is given up.
  std::chrono::milliseconds ioTimeout{30000};
  // How long the stream may stay quiet inside a message the device has
  // begun (a reply in pieces, a byte that may begin a longer message) before
  // what came is judged as it stands: the rest of a message comes within a
  // network round trip or two.
  std::chrono::milliseconds settleTime{300};
};

// The most one receive() reads.
inline constexpr std::size_t receiveMaxLength = 1024;

class TCPCommunicator {
 public:
  // Stores the host (dotted address or name) and port; connects nothing.
  TCPCommunicator(std::string url, std::uint32_t port, ChannelOptions options = {});

  // The next connect() uses the new host; a connection already made stays.
  void setURL(std::string url);

  // Opens the connection (closing one already open), waiting at most
  // connectTimeout. On failure both halves are in the error state: reads
  // and writes fail until the next connect(). True when connected.
  bool connect();

  // Closes the connection; both halves are gone. Safe at any time.
  void disconnect();

  // One read of up to 1024 bytes, as UTF-8 text of exactly the bytes read.
  // Nothing without a connection, at the end of the stream, on an error or
  // time-out, or when the bytes are not valid UTF-8.
  std::optional<std::string> receive();

  // Writes the message's bytes, all of them (no terminator is added).
  void send(std::string_view message);

  // One read of at most buffer.size() bytes, waiting up to ioTimeout (or
  // timeout) for the first: the count, 0 at the end of the stream, -1 on
  // an error, a time-out, or without a connection.
  std::ptrdiff_t readSome(std::span<std::uint8_t> buffer);
  std::ptrdiff_t readSome(std::span<std::uint8_t> buffer, std::chrono::milliseconds timeout);

  // Writes all bytes: bytes.size(), or -1 on an error, a time-out, or
  // without a connection.
  std::ptrdiff_t writeAll(std::span<const std::uint8_t> bytes);

  // Nothing when the half does not exist (before connect, after disconnect).
  std::optional<StreamStatus> inputStatus() const { return input_; }
  std::optional<StreamStatus> outputStatus() const { return output_; }

  const ChannelOptions& options() const { return options_; }
  const std::string& url() const { return url_; }
  std::uint32_t port() const { return port_; }

 private:
  std::string url_;
  std::uint32_t port_;
  ChannelOptions options_;
  std::optional<StreamSocket> socket_;
  std::optional<StreamStatus> input_;
  std::optional<StreamStatus> output_;
};

}  // namespace device::tcp
