#include "device/tcp/tcp_communicator.h"

#include <cerrno>
#include <limits>
#include <utility>
#include <vector>

#include "device/common/flavour.h"
#include "device/common/log.h"
#include "device/common/utf8.h"

namespace device::tcp {
namespace {

std::string statusText(const std::optional<StreamStatus>& status) {
  return status ? std::to_string(static_cast<int>(*status)) : "none";
}

}  // namespace

TCPCommunicator::TCPCommunicator(std::string url, std::uint32_t port, ChannelOptions options)
    : url_(std::move(url)), port_(port), options_(options) {}

void TCPCommunicator::setURL(std::string url) { url_ = std::move(url); }

bool TCPCommunicator::connect() {
  socket_.reset();
  const bool scanner = flavour() == Flavour::Scanner;
  if (scanner) {
    logLine(std::string("TCP Socket attemp to connect ip = ") + url_ + " and port = " + std::to_string(port_));
  } else {
    logLine("Opening streams.");
  }
  int error = EINVAL;
  if (port_ <= std::numeric_limits<std::uint16_t>::max()) {
    socket_ = StreamSocket::connect(url_, static_cast<std::uint16_t>(port_),
                                    options_.connectTimeout, error);
  }
  // A failed connection still leaves the channel with its two halves, in
  // the error state, as a stream pair to an unreachable host would be.
  const StreamStatus state = socket_ ? StreamStatus::open : StreamStatus::error;
  input_ = state;
  output_ = state;
  if (socket_ && scanner) {
    logLine("Opening streams. Connected");
  }
  return socket_.has_value();
}

void TCPCommunicator::disconnect() {
  logLine("Closing streams.");
  socket_.reset();
  input_.reset();
  output_.reset();
}

std::ptrdiff_t TCPCommunicator::readSome(std::span<std::uint8_t> buffer) {
  return readSome(buffer, options_.ioTimeout);
}

std::ptrdiff_t TCPCommunicator::readSome(std::span<std::uint8_t> buffer,
                                         std::chrono::milliseconds timeout) {
  if (!socket_) {
    return -1;
  }
  const std::ptrdiff_t count = socket_->readSome(buffer, timeout);
  if (count == 0) {
    input_ = StreamStatus::atEnd;
  } else if (count < 0 && socket_->lastError() != ETIMEDOUT) {
    // A read that only timed out leaves the stream usable.
    input_ = StreamStatus::error;
  }
  return count;
}

std::ptrdiff_t TCPCommunicator::writeAll(std::span<const std::uint8_t> bytes) {
  if (!socket_) {
    return -1;
  }
  const std::ptrdiff_t count = socket_->writeAll(bytes, options_.ioTimeout);
  if (count < 0) {
    // Some of the bytes may be gone: the stream has no known position left.
    output_ = StreamStatus::error;
  }
  return count;
}

std::optional<std::string> TCPCommunicator::receive() {
  logLine(std::string("inputStream status = ") + statusText(input_));
  if (!input_) {
    return std::nullopt;
  }
  std::vector<std::uint8_t> buffer(receiveMaxLength);
  const std::ptrdiff_t count = readSome(buffer);
  logLine(std::string("TCPCommunicator: func receive . read data len = ") + std::to_string(count));
  if (count <= 0) {
    return std::nullopt;
  }
  // Only the bytes that came: a zero-filled tail does not belong to the reply.
  return decodeUtf8(std::span<const std::uint8_t>(buffer.data(), static_cast<std::size_t>(count)));
}

void TCPCommunicator::send(std::string_view message) {
  const bool log = flavour() == Flavour::StatusMonitor;
  if (log) {
    logLine(std::string("outputStream status = ") + statusText(output_));
  }
  if (!output_) {
    if (log) {
      logLine("outputstream write result = none");
    }
    return;
  }
  const std::ptrdiff_t count = writeAll(bytesOf(message));
  if (log) {
    logLine(std::string("outputstream write result = ") + std::to_string(count));
  }
}

}  // namespace device::tcp
