#pragma once
// The base of the socket classes and what their operations answer.
//
// The classes are plain handles: copies share the descriptor, and dropping
// one does not close it; close() does.

#include <cstdint>
#include <optional>
#include <span>
#include <string>
#include <utility>

namespace device::socket {

enum class SocketError { queryFailed, connectionClosed, connectionTimeout, unknownError };

class Result {
 public:
  static Result success() { return Result(std::nullopt); }
  static Result failure(SocketError error) { return Result(error); }

  bool isSuccess() const { return !error_.has_value(); }
  bool isFailure() const { return !isSuccess(); }
  // The failure's error; none for success.
  std::optional<SocketError> error() const { return error_; }

  friend bool operator==(const Result&, const Result&) = default;

 private:
  explicit Result(std::optional<SocketError> error) : error_(error) {}
  std::optional<SocketError> error_;
};

class Socket {
 public:
  Socket(std::string address, std::int32_t port) : address_(std::move(address)), port_(port) {}

  const std::string& address() const { return address_; }
  std::int32_t port() const { return port_; }
  void setPort(std::int32_t port) { port_ = port; }
  // The open descriptor; none until a socket is open.
  std::optional<std::int32_t> fd() const { return fd_; }
  void setFd(std::optional<std::int32_t> fd) { fd_ = fd; }

  // Closes the descriptor when there is one; fd() becomes none.
  void close();

 protected:
  // Sends the bytes with write(descriptor, bytes, length) -> count:
  // without a descriptor connectionClosed; unless every byte went,
  // unknownError.
  template <typename Write>
  Result sendWith(std::span<const std::uint8_t> data, Write write) const {
    if (!fd_) {
      return Result::failure(SocketError::connectionClosed);
    }
    const auto length = static_cast<int>(data.size());
    if (data.size() != static_cast<std::size_t>(length)) {
      return Result::failure(SocketError::unknownError);
    }
    const int sent = write(*fd_, reinterpret_cast<const char*>(data.data()), length);
    return sent == length ? Result::success() : Result::failure(SocketError::unknownError);
  }

 private:
  std::string address_;
  std::int32_t port_;
  std::optional<std::int32_t> fd_;
};

}  // namespace device::socket
