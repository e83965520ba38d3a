#include "device/socket/tcp_socket.h"

#include <QTimer>

#include <charconv>
#include <stdexcept>
#include <string_view>
#include <utility>

#include "device/common/utf8.h"
#include "device/common/log.h"

namespace device::socket {
namespace {


constexpr qint64 kReceiveMaximum = 65536;

std::uint16_t portNumber(const std::string& text) {
  unsigned value = 0;
  const char* end = text.data() + text.size();
  const auto [stop, error] = std::from_chars(text.data(), end, value);
  if (text.empty() || error != std::errc() || stop != end || value == 0 || value > 65535) {
    throw std::invalid_argument("not a TCP port: " + text);
  }
  return static_cast<std::uint16_t>(value);
}

std::string describe(const QByteArray& data) { return std::to_string(data.size()) + " bytes"; }

}  // namespace

TCPSocket::TCPSocket(std::string host, const std::string& port) : host_(std::move(host)), port_(portNumber(port)) {}

TCPSocket::~TCPSocket() {
  // Closing the socket emits signals; none may reach this half-destroyed object.
  QObject::disconnect(&connection_, nullptr, nullptr, nullptr);
  connection_.abort();
}

void TCPSocket::start() {
  logLine("will start");
  QObject::connect(&connection_, &QAbstractSocket::stateChanged, &connection_,
                   [this](QAbstractSocket::SocketState state) {
                     if (cancelled_) return;
                     if (state == QAbstractSocket::HostLookupState) didChange(State::setup);
                     if (state == QAbstractSocket::ConnectingState) didChange(State::preparing);
                   });
  QObject::connect(&connection_, &QAbstractSocket::connected, &connection_, [this] {
    if (!cancelled_) didChange(State::ready);
  });
  QObject::connect(&connection_, &QIODevice::readyRead, &connection_, [this] { deliverReceive(); });
  QObject::connect(&connection_, &QIODevice::bytesWritten, &connection_,
                   [this](qint64 count) { bytesWritten(count); });
  QObject::connect(&connection_, &QAbstractSocket::errorOccurred, &connection_,
                   [this](QAbstractSocket::SocketError error) { failed(error); });
  connection_.connectToHost(QString::fromStdString(host_), port_);
}

void TCPSocket::stop() {
  if (!cancelled_) {
    cancelled_ = true;
    connection_.abort();
    // Reported from the event loop, as every other state change.
    QTimer::singleShot(0, &connection_, [this] { didChange(State::cancelled); });
  }
  logLine("did stop");
}

void TCPSocket::didChange(State state, const std::string& error) {
  switch (state) {
    case State::setup:
      logLine("is setting up");
      break;
    case State::waiting:
      logLine("is waiting: " + error);
      break;
    case State::preparing:
      break;
    case State::ready:
      logLine("socket is ready");
      break;
    case State::failed:
      logLine("did fail, error: " + error);
      stop();
      break;
    case State::cancelled:
      logLine("was cancelled");
      stop();
      break;
  }
}

std::string TCPSocket::startReceive() {
  if (!cancelled_) {
    receivePending_ = true;
    // Data already waiting complete the receive later, never inside this call.
    QTimer::singleShot(0, &connection_, [this] { deliverReceive(); });
  }
  return {};
}

void TCPSocket::deliverReceive() {
  if (cancelled_ || !receivePending_) {
    return;
  }
  if (connection_.bytesAvailable() > 0) {
    receivePending_ = false;
    completeReceive(connection_.read(kReceiveMaximum), false, std::nullopt);
  } else if (peerClosed_) {
    receivePending_ = false;
    completeReceive({}, true, std::nullopt);
  }
}

void TCPSocket::completeReceive(const QByteArray& data, bool complete, const std::optional<std::string>& error) {
  if (complete) {
    logLine("receive is done");
  }
  if (!data.isEmpty()) {
    logLine("did receive, data: " + describe(data));
    const auto text = decodeUtf8(bytesOf(std::string_view(data.constData(), static_cast<std::size_t>(data.size()))));
    logLine("received message = " + text.value_or(std::string()));
  } else {
    logLine("received data is empty");
  }
  if (error) {
    logLine("did receive, error: " + *error);
    stop();
  } else if (complete) {
    logLine("did receive, EOF");
    stop();
  } else {
    startReceive();
  }
}

void TCPSocket::send(const std::string& line) {
  const std::string message = line + "\r\n";
  // Written while connecting too: Qt keeps the bytes until the connection is up.
  const bool open = !cancelled_ && connection_.isOpen();
  if (open && connection_.write(message.data(), static_cast<qint64>(message.size())) >= 0) {
    sends_.push_back({line, static_cast<std::int64_t>(message.size())});
    return;
  }
  const std::string reason = cancelled_ ? "Operation canceled"
                             : open     ? connection_.errorString().toStdString()
                                        : "Socket is not connected";
  // As every completion: later, from the event loop.
  QTimer::singleShot(0, &connection_, [this, reason] {
    logLine("did send, error: " + reason);
    stop();
  });
}

void TCPSocket::bytesWritten(std::int64_t count) {
  while (count > 0 && !sends_.empty()) {
    PendingSend& front = sends_.front();
    const std::int64_t taken = std::min(count, front.left);
    front.left -= taken;
    count -= taken;
    if (front.left == 0) {
      const PendingSend done = std::move(front);
      sends_.pop_front();
      logLine("did send, data: " + std::to_string(done.line.size() + 2) + " bytes");
      logLine("send data(" + done.line + ") successfully");
    }
  }
}

void TCPSocket::failed(QAbstractSocket::SocketError error) {
  if (cancelled_) {
    return;
  }
  if (error == QAbstractSocket::RemoteHostClosedError) {
    // The peer's orderly close is the end of the stream, not a failure.
    peerClosed_ = true;
    deliverReceive();
    return;
  }
  const std::string reason = connection_.errorString().toStdString();
  if (receivePending_) {
    receivePending_ = false;
    completeReceive({}, false, reason);
  }
  // Every send not yet written fails with the connection.
  for (std::size_t unsent = std::exchange(sends_, {}).size(); unsent > 0; --unsent) {
    logLine("did send, error: " + reason);
    stop();
  }
  didChange(State::failed, reason);
}

}  // namespace device::socket
