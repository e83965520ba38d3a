// TCPSocket under Qt's event loop against a peer of the test on loopback:
// what it logs for each state, receive and send, in order.
#include <sys/socket.h>
#include <unistd.h>

#include <gtest/gtest.h>

#include <QCoreApplication>

#include <algorithm>
#include <chrono>
#include <stdexcept>
#include <string>
#include <vector>

#include "device/socket/tcp_server.h"
#include "device/socket/tcp_socket.h"
#include "device/usb/stdout_capture.h"
#include "event_loop.h"
#include "sim/tcp/loopback_server.h"

namespace device::socket {
namespace {

using namespace std::chrono_literals;
using test_support::spinFor;

class TcpSocketTest : public ::testing::Test {
 protected:
  void SetUp() override { ASSERT_TRUE(server.listen().isSuccess()); }
  void TearDown() override {
    if (peer) peer->close();
    server.close();
  }

  std::string port() const { return std::to_string(server.port()); }

  // The test's end of the connection (the kernel accepts it whether or not
  // the event loop has run).
  void acceptPeer() {
    peer = server.accept(2);
    ASSERT_TRUE(peer);
  }
  void peerSends(const std::string& bytes) {
    ASSERT_EQ(::send(*peer->fd(), bytes.data(), bytes.size(), MSG_NOSIGNAL), static_cast<ssize_t>(bytes.size()));
  }
  std::string peerReads(std::size_t count) {
    std::string got(count, '\0');
    std::size_t have = 0;
    while (have < count) {
      const ssize_t n = ::recv(*peer->fd(), got.data() + have, count - have, 0);
      if (n <= 0) break;
      have += static_cast<std::size_t>(n);
    }
    got.resize(have);
    return got;
  }
  void peerCloses() {
    peer->close();
    peer.reset();
  }

  bool logged(const std::string& line) const {
    const auto lines = log.lines();
    return std::find(lines.begin(), lines.end(), line) != lines.end();
  }
  // Runs the event loop until the line is logged or the time is up.
  bool spinUntilLogged(const std::string& line, std::chrono::milliseconds limit = 5s) {
    return test_support::spinUntil([&] { return logged(line); }, limit);
  }

  TCPServer server{"127.0.0.1", 0};
  std::optional<TCPClient> peer;
  StdoutCapture log;
};

TEST_F(TcpSocketTest, ConnectsSendsAndReceivesUntilThePeerCloses) {
  TCPSocket socket("127.0.0.1", port());
  socket.start();
  acceptPeer();
  ASSERT_TRUE(spinUntilLogged("socket is ready"));

  socket.send("CheckwifiAP?");
  ASSERT_TRUE(spinUntilLogged("send data(CheckwifiAP?) successfully"));
  EXPECT_EQ(peerReads(14), "CheckwifiAP?\r\n");

  EXPECT_EQ(socket.startReceive(), "");
  peerSends("8014,打印机");
  ASSERT_TRUE(spinUntilLogged("received message = 8014,打印机"));
  peerSends("\xFF");  // not UTF-8: no text, but the receive goes on
  ASSERT_TRUE(spinUntilLogged("did receive, data: 1 bytes"));
  peerSends("again");
  ASSERT_TRUE(spinUntilLogged("received message = again"));
  peerCloses();
  ASSERT_TRUE(spinUntilLogged("was cancelled"));
  spinFor(200ms);

  EXPECT_EQ(log.lines(), (std::vector<std::string>{"will start",
                                                   "is setting up",
                                                   "socket is ready",
                                                   "did send, data: 14 bytes",
                                                   "send data(CheckwifiAP?) successfully",
                                                   "did receive, data: 14 bytes",
                                                   "received message = 8014,打印机",
                                                   "did receive, data: 1 bytes",
                                                   "received message = ",
                                                   "did receive, data: 5 bytes",
                                                   "received message = again",
                                                   "receive is done",
                                                   "received data is empty",
                                                   "did receive, EOF",
                                                   "did stop",
                                                   "was cancelled",
                                                   "did stop"}));
}

TEST_F(TcpSocketTest, DataThatCameWithThePeersCloseIsReceivedBeforeTheEnd) {
  TCPSocket socket("127.0.0.1", port());
  socket.start();
  acceptPeer();
  ASSERT_TRUE(spinUntilLogged("socket is ready"));
  peerSends("last words");
  peerCloses();
  spinFor(200ms);  // the close has come before the receive is asked for
  socket.startReceive();
  ASSERT_TRUE(spinUntilLogged("did receive, EOF"));
  const auto lines = log.lines();
  const auto message = std::find(lines.begin(), lines.end(), "received message = last words");
  const auto end = std::find(lines.begin(), lines.end(), "receive is done");
  EXPECT_TRUE(message < end) << "the data first, then the end";
}

TEST_F(TcpSocketTest, RefusedConnectionFailsAndStopsOnce) {
  TCPSocket socket("127.0.0.1", std::to_string(sim::tcp::closedLoopbackPort()));
  socket.start();
  ASSERT_TRUE(spinUntilLogged("was cancelled"));
  spinFor(200ms);
  EXPECT_EQ(log.lines(), (std::vector<std::string>{"will start", "is setting up", "did fail, error: Connection refused",
                                                   "did stop", "was cancelled", "did stop"}));
}

TEST_F(TcpSocketTest, SendWithoutAConnectionFailsLaterAndStops) {
  TCPSocket socket("127.0.0.1", port());
  socket.send("CheckwifiAP?");
  EXPECT_TRUE(log.lines().empty()) << "reported during the call";
  ASSERT_TRUE(spinUntilLogged("was cancelled"));
  EXPECT_EQ(log.lines(), (std::vector<std::string>{"did send, error: Socket is not connected", "did stop",
                                                   "was cancelled", "did stop"}));
}

TEST_F(TcpSocketTest, LineSentWhileConnectingGoesOnceConnected) {
  TCPSocket socket("127.0.0.1", port());
  socket.start();
  socket.send("CheckwifiSTA?");
  acceptPeer();
  ASSERT_TRUE(spinUntilLogged("send data(CheckwifiSTA?) successfully"));
  EXPECT_EQ(peerReads(15), "CheckwifiSTA?\r\n");
}

TEST_F(TcpSocketTest, StopBeforeTheConnectionIsUpCancelsIt) {
  TCPSocket socket("127.0.0.1", port());
  socket.start();
  socket.stop();
  ASSERT_TRUE(spinUntilLogged("was cancelled"));
  spinFor(200ms);
  EXPECT_FALSE(logged("socket is ready"));
}

TEST(TcpSocketPort, MustBeAPortNumber) {
  for (const char* bad : {"", "0", "65536", "9100a", "-1", " 9100", "http"}) {
    SCOPED_TRACE(bad);
    EXPECT_THROW(TCPSocket("127.0.0.1", bad), std::invalid_argument);
  }
  EXPECT_NO_THROW(TCPSocket("127.0.0.1", "65535"));
  EXPECT_NO_THROW(TCPSocket("printer.local", "9101"));
}

}  // namespace
}  // namespace device::socket

int main(int argc, char** argv) {
  QCoreApplication application(argc, argv);
  ::testing::InitGoogleTest(&argc, argv);
  return RUN_ALL_TESTS();
}
