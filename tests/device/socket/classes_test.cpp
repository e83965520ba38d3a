// The socket classes talking to each other on loopback addresses, and the
// answers of each failure.
#include <gtest/gtest.h>

#include <chrono>
#include <functional>
#include <future>
#include <string>
#include <thread>
#include <vector>

#include "device/socket/tcp_client.h"
#include "device/socket/tcp_server.h"
#include "device/socket/udp_client.h"
#include "device/socket/udp_server.h"
#include "device/socket/ysocket.h"
#include "sim/tcp/loopback_server.h"
#include "socket_test_support.h"

namespace device::socket {
namespace {

using namespace std::chrono_literals;
using sim::tcp::closedLoopbackPort;
using sim::tcp::SilentListener;
using testing::text;

std::vector<std::uint8_t> bytes(const std::string& value) { return {value.begin(), value.end()}; }

class Classes : public testing::QuickPacing {};

TEST_F(Classes, ClientAndServerTalkBothWays) {
  TCPServer server("127.0.0.1", 0);
  ASSERT_TRUE(server.listen().isSuccess());
  ASSERT_NE(server.port(), 0) << "the port the system chose";

  TCPClient client("127.0.0.1", server.port());
  ASSERT_EQ(client.connect(2), Result::success());
  std::optional<TCPClient> accepted = server.accept(2);
  ASSERT_TRUE(accepted);
  EXPECT_EQ(accepted->address(), "127.0.0.1");
  EXPECT_EQ(accepted->port(), ytcpsocket_port(*client.fd()));

  EXPECT_TRUE(client.send("CheckwifiAP?").isSuccess());
  EXPECT_EQ(text(accepted->read(64, 2).value_or(std::vector<std::uint8_t>{})), "CheckwifiAP?");
  EXPECT_TRUE(accepted->send(bytes("8014,ok")).isSuccess());
  ASSERT_TRUE(client.read(3, 2));
  EXPECT_EQ(client.bytesAvailable(), 4);
  EXPECT_EQ(text(client.read(64, 2).value_or(std::vector<std::uint8_t>{})), "4,ok");

  client.close();
  EXPECT_EQ(client.fd(), std::nullopt);
  EXPECT_EQ(client.send("again"), Result::failure(SocketError::connectionClosed));
  EXPECT_EQ(client.read(8), std::nullopt);
  EXPECT_EQ(client.bytesAvailable(), std::nullopt);
  accepted->close();
  server.close();
  EXPECT_EQ(server.accept(1), std::nullopt);
}

TEST_F(Classes, ConnectFailuresAnswerTheirErrors) {
  struct Case {
    const char* what;
    std::string host;
    std::function<int()> port;
    SocketError error;
  };
  SilentListener silent;
  const std::vector<Case> cases{
      {"nothing listens", "127.0.0.1", [] { return closedLoopbackPort(); }, SocketError::unknownError},
      {"no answer within the time", "127.0.0.1", [&] { return silent.port(); }, SocketError::connectionTimeout},
      {"no host", "", [] { return 80; }, SocketError::queryFailed},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.what);
    TCPClient client(c.host, c.port());
    EXPECT_EQ(client.connect(1), Result::failure(c.error));
    EXPECT_EQ(client.fd(), std::nullopt);
  }
}

TEST_F(Classes, ReadWithNothingComingGivesNothing) {
  TCPServer server("127.0.0.1", 0);
  ASSERT_TRUE(server.listen().isSuccess());
  TCPClient client("127.0.0.1", server.port());
  ASSERT_TRUE(client.connect(2).isSuccess());
  auto accepted = server.accept(2);
  ASSERT_TRUE(accepted);
  ::testing::internal::CaptureStdout();
  EXPECT_EQ(client.read(16), std::nullopt);
  ::testing::internal::GetCapturedStdout();

  accepted->close();
  ::testing::internal::CaptureStdout();
  EXPECT_EQ(client.read(16, 1), std::nullopt) << "closed by the peer";
  ::testing::internal::GetCapturedStdout();
  client.close();
  server.close();
}

TEST_F(Classes, ServerOnAPortInUseFails) {
  TCPServer first("127.0.0.1", 0);
  ASSERT_TRUE(first.listen().isSuccess());
  TCPServer second("127.0.0.1", first.port());
  EXPECT_EQ(second.listen(), Result::failure(SocketError::unknownError));
  EXPECT_EQ(second.fd(), std::nullopt);
  first.close();
}

TEST_F(Classes, DatagramsBetweenClientAndServer) {
  UDPServer server("127.0.0.1", 0);
  ASSERT_TRUE(server.fd());
  const int port = ytcpsocket_port(*server.fd());
  UDPClient client("localhost", port);
  EXPECT_EQ(client.address(), "127.0.0.1");
  EXPECT_EQ(client.port(), port);
  ASSERT_TRUE(client.fd());

  EXPECT_TRUE(client.send("hello").isSuccess());
  Datagram received = server.recv(64);
  EXPECT_EQ(text(received.bytes.value_or(std::vector<std::uint8_t>{})), "hello");
  EXPECT_EQ(received.address, "127.0.0.1");
  EXPECT_EQ(received.port, ytcpsocket_port(*client.fd()));

  // The server's end answers on a client of its own, to the sender.
  UDPClient reply(received.address, received.port);
  EXPECT_TRUE(reply.send(bytes("8014")).isSuccess());
  received = client.recv(2);
  EXPECT_EQ(text(received.bytes.value_or(std::vector<std::uint8_t>{})), "80") << "cut to the expected length";
  EXPECT_EQ(received.port, ytcpsocket_port(*reply.fd()));

  client.enableBroadcast();
  reply.close();
  client.close();
  server.close();
}

TEST_F(Classes, ClientForAHostThatDoesNotResolveHasNoSocket) {
  UDPClient client("", 9100);
  EXPECT_EQ(client.address(), "");
  EXPECT_EQ(client.port(), 0);
  EXPECT_EQ(client.fd(), std::nullopt);
  EXPECT_EQ(client.send("x"), Result::failure(SocketError::connectionClosed));
  client.enableBroadcast();
}

TEST_F(Classes, ReceiveWithoutASocketGivesNoIp) {
  UDPServer server("127.0.0.1", 0);
  ASSERT_TRUE(server.fd());
  server.close();
  const Datagram received = server.recv(16);
  EXPECT_EQ(received.bytes, std::nullopt);
  EXPECT_EQ(received.address, "no ip");
  EXPECT_EQ(received.port, 0);
}

TEST_F(Classes, UdpServerBindsEveryLocalAddressForNoneOrTheBroadcastText) {
  for (const char* address : {"", "255.255.255.255"}) {
    SCOPED_TRACE(address);
    UDPServer server(address, 0);
    ASSERT_TRUE(server.fd());
    UDPClient client("127.0.0.1", ytcpsocket_port(*server.fd()));
    EXPECT_TRUE(client.send("x").isSuccess());
    EXPECT_EQ(text(server.recv(4).bytes.value_or(std::vector<std::uint8_t>{})), "x");
    client.close();
    server.close();
  }
}

}  // namespace
}  // namespace device::socket
