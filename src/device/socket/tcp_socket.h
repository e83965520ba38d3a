#pragma once
// A TCP connection with state changes and receive and send completions, on
// Qt's event-driven socket. Everything it reports runs on the thread that
// made it (the GUI thread), from that thread's event loop; it logs what
// happens and keeps nothing it receives.

#include <QTcpSocket>

#include <cstddef>
#include <cstdint>
#include <deque>
#include <optional>
#include <string>

namespace device::socket {

class TCPSocket {
 public:
  enum class State { setup, waiting, preparing, ready, failed, cancelled };

  // A connection to host (name or address) and port (decimal text, 1 to
  // 65535; anything else throws std::invalid_argument). Not started.
  TCPSocket(std::string host, const std::string& port);
  TCPSocket(const TCPSocket&) = delete;
  TCPSocket& operator=(const TCPSocket&) = delete;
  ~TCPSocket();

  QTcpSocket& connection() { return connection_; }

  // Starts connecting; state changes arrive at didChange().
  void start();
  // Cancels the connection (the cancellation is reported later, once).
  void stop();
  void didChange(State state, const std::string& error = {});
  // Asks for the next 1 to 65536 bytes and returns at once with an empty
  // text: the data are logged when they come, and asked for again until the
  // peer closes or the connection fails.
  std::string startReceive();
  // Sends the line and "\r\n" as one message; its completion is logged.
  void send(const std::string& line);

 private:
  struct PendingSend {
    std::string line;
    std::int64_t left;  // bytes of it not yet written to the network
  };

  void deliverReceive();
  void completeReceive(const QByteArray& data, bool complete, const std::optional<std::string>& error);
  void bytesWritten(std::int64_t count);
  void failed(QAbstractSocket::SocketError error);

  std::string host_;
  std::uint16_t port_;
  QTcpSocket connection_;
  bool cancelled_ = false;
  bool receivePending_ = false;
  bool peerClosed_ = false;
  std::deque<PendingSend> sends_;
};

}  // namespace device::socket
