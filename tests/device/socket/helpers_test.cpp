// The C-style helpers against each other and against sockets of the test,
// on loopback addresses.
#include <arpa/inet.h>
#include <fcntl.h>
#include <netinet/in.h>
#include <poll.h>
#include <sys/socket.h>
#include <unistd.h>

#include <gtest/gtest.h>

#include <array>
#include <atomic>
#include <chrono>
#include <csignal>
#include <cstring>
#include <functional>
#include <string>
#include <thread>
#include <vector>

#include "device/socket/ysocket.h"
#include "open_descriptors.h"
#include "sim/tcp/loopback_server.h"
#include "socket_test_support.h"

namespace device::socket {
namespace {

using namespace std::chrono_literals;
using sim::tcp::closedLoopbackPort;
using test_support::openDescriptors;
using sim::tcp::SilentListener;
using testing::within;

// Kernel buffers of a few KiB (the kernel doubles what it is given).
constexpr int kSmallBuffer = 16 << 10;

// The longest dotted text there is on loopback: 15 characters.
constexpr char kLongLoopback[] = "127.255.255.254";

// A 16-byte address buffer between guard bytes that must stay untouched.
struct GuardedAddress {
  std::array<char, 8> before{};
  std::array<char, kAddressTextLength> text{};
  std::array<char, 8> after{};
  GuardedAddress() {
    before.fill('#');
    after.fill('#');
  }
  bool guardsIntact() const {
    return std::string(before.begin(), before.end()) == "########" &&
           std::string(after.begin(), after.end()) == "########";
  }
  std::string value() const { return std::string(text.data(), ::strnlen(text.data(), text.size())); }
};

// A connected pair: the helper's client end and the accepted end. With
// `bufferBytes`, both ends' kernel buffers are that small (the accepted end's
// from the handshake on), so a few MiB can never fit in them.
struct Pair {
  int listener = -1;
  int client = -1;
  int accepted = -1;
  explicit Pair(int bufferBytes = 0) {
    listener = ytcpsocket_listen("127.0.0.1", 0);
    if (bufferBytes > 0) {
      ::setsockopt(listener, SOL_SOCKET, SO_RCVBUF, &bufferBytes, sizeof bufferBytes);
    }
    client = ytcpsocket_connect("127.0.0.1", ytcpsocket_port(listener), 2);
    if (bufferBytes > 0) {
      ::setsockopt(client, SOL_SOCKET, SO_SNDBUF, &bufferBytes, sizeof bufferBytes);
    }
    std::array<char, kAddressTextLength> address{};
    int port = 0;
    accepted = ytcpsocket_accept(listener, address, &port, 2);
  }
  ~Pair() {
    for (const int fd : {accepted, client, listener}) {
      if (fd >= 0) ::close(fd);
    }
  }
  Pair(const Pair&) = delete;
  Pair& operator=(const Pair&) = delete;
  bool ok() const { return listener >= 0 && client >= 0 && accepted >= 0; }
};

// A client socket of the test bound to a given loopback source address.
int connectFrom(const char* source, int port) {
  const int fd = ::socket(AF_INET, SOCK_STREAM | SOCK_CLOEXEC, 0);
  sockaddr_in local{};
  local.sin_family = AF_INET;
  ::inet_pton(AF_INET, source, &local.sin_addr);
  sockaddr_in remote{};
  remote.sin_family = AF_INET;
  remote.sin_port = htons(static_cast<std::uint16_t>(port));
  ::inet_pton(AF_INET, "127.0.0.1", &remote.sin_addr);
  if (::bind(fd, reinterpret_cast<const sockaddr*>(&local), sizeof local) != 0 ||
      ::connect(fd, reinterpret_cast<const sockaddr*>(&remote), sizeof remote) != 0) {
    ::close(fd);
    return -1;
  }
  return fd;
}

class Helpers : public testing::QuickPacing {
 protected:
  void SetUp() override {
    QuickPacing::SetUp();
    // A write to a gone peer must fail, not end the process.
    std::signal(SIGPIPE, SIG_DFL);
  }
};

TEST_F(Helpers, ConnectResolvesAHostNameAndConnectsToItsAddress) {
  const int listener = ytcpsocket_listen("127.0.0.1", 0);
  ASSERT_GE(listener, 0);
  const int client = ytcpsocket_connect("localhost", ytcpsocket_port(listener), 2);
  ASSERT_GE(client, 0);
  GuardedAddress peer;
  int port = 0;
  const int accepted = ytcpsocket_accept(listener, peer.text, &port, 2);
  ASSERT_GE(accepted, 0);
  EXPECT_EQ(peer.value(), "127.0.0.1");
  for (const int fd : {accepted, client, listener}) ::close(fd);
}

TEST_F(Helpers, ConnectFailuresGiveTheirCodesAndLeaveNoDescriptorOpen) {
  struct Case {
    const char* what;
    std::string host;
    std::function<int()> port;
    int expected;
  };
  SilentListener silent;
  const std::vector<Case> cases{
      {"nothing listens", "127.0.0.1", [] { return closedLoopbackPort(); }, -4},
      {"no answer within the time", "127.0.0.1", [&] { return silent.port(); }, -3},
      {"no host", "", [] { return 80; }, -1},
      {"port out of range", "127.0.0.1", [] { return 65536; }, -1},
      // Fails inside connect() itself; the socket would still poll writable.
      {"broadcast address", "255.255.255.255", [] { return 9; }, -4},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.what);
    const int port = c.port();
    const std::size_t before = openDescriptors();
    EXPECT_EQ(ytcpsocket_connect(c.host.c_str(), port, 1), c.expected);
    EXPECT_EQ(openDescriptors(), before);
  }
}

TEST_F(Helpers, PullReturnsWhatCameWithoutWaitingForMoreOnABlockingDescriptor) {
  Pair pair;
  ASSERT_TRUE(pair.ok());
  ASSERT_EQ(ytcpsocket_send(pair.client, "abc", 3), 3);
  // The accepted descriptor is blocking, and the peer stays connected.
  const auto pulled = within(5s, [fd = pair.accepted] {
    std::array<char, 100> buffer{};
    const int count = ytcpsocket_pull(fd, buffer.data(), 100, 2);
    return std::make_pair(count, std::string(buffer.data()));
  });
  ASSERT_TRUE(pulled);
  EXPECT_EQ(pulled->first, 3);
  EXPECT_EQ(pulled->second, "abc");
}

TEST_F(Helpers, PullWithNothingComingTriesTwentyNineTimesAndReturnsZero) {
  Pair pair;
  ASSERT_TRUE(pair.ok());
  std::array<char, 16> buffer{};
  ::testing::internal::CaptureStdout();
  EXPECT_EQ(ytcpsocket_pull(pair.client, buffer.data(), 16, 0), 0);
  const std::string log = ::testing::internal::GetCapturedStdout();
  std::string expected;
  for (int tries = 1; tries <= 29; ++tries) {
    expected += "socketFd = " + std::to_string(pair.client) + " ,try times = " + std::to_string(tries) +
                " ,readlen = -1\n";
  }
  EXPECT_EQ(log, expected);
}

TEST_F(Helpers, PullWaitsForTheFirstByteOnlyAsLongAsAsked) {
  Pair pair;
  ASSERT_TRUE(pair.ok());
  std::array<char, 16> buffer{};
  const auto start = std::chrono::steady_clock::now();
  EXPECT_EQ(ytcpsocket_pull(pair.client, buffer.data(), 16, 1), 0);
  EXPECT_LT(std::chrono::steady_clock::now() - start, 3s);
}

TEST_F(Helpers, PullStopsAtTheEndOfTheBufferAndLeavesTheRest) {
  Pair pair;
  ASSERT_TRUE(pair.ok());
  ASSERT_EQ(ytcpsocket_send(pair.accepted, "0123456789", 10), 10);
  std::array<char, 8> guarded{};
  guarded.fill('#');
  ASSERT_EQ(ytcpsocket_pull(pair.client, guarded.data(), 4, 2), 4);
  EXPECT_EQ(std::string(guarded.begin(), guarded.end()), "0123####");
  std::array<char, 16> rest{};
  EXPECT_EQ(ytcpsocket_pull(pair.client, rest.data(), 16, 2), 6);
  EXPECT_STREQ(rest.data(), "456789");
}

TEST_F(Helpers, PullAfterThePeerClosedGivesWhatCameThenZero) {
  Pair pair;
  ASSERT_TRUE(pair.ok());
  ASSERT_EQ(ytcpsocket_send(pair.accepted, "xy", 2), 2);
  ::close(pair.accepted);
  pair.accepted = -1;
  std::array<char, 16> buffer{};
  EXPECT_EQ(ytcpsocket_pull(pair.client, buffer.data(), 16, 2), 2);
  EXPECT_EQ(ytcpsocket_pull(pair.client, buffer.data(), 16, 2), 0);
}

TEST_F(Helpers, SendLogsOnlyTheBytesItWasGiven) {
  Pair pair;
  ASSERT_TRUE(pair.ok());
  const char unterminated[6] = {'a', 'b', 'c', 'd', 'e', 'f'};
  ::testing::internal::CaptureStdout();
  EXPECT_EQ(ytcpsocket_send(pair.client, unterminated, 3), 3);
  EXPECT_EQ(::testing::internal::GetCapturedStdout(), "send fd = " + std::to_string(pair.client) + " send cmd=abc\n");
}

// Whether the send buffer of `fd` is full: no room for a write now.
bool sendBufferFull(int fd) {
  pollfd room{fd, POLLOUT, 0};
  return ::poll(&room, 1, 0) == 0;
}

TEST_F(Helpers, SendWritesEveryByteWhileTheSendBufferFills) {
  // However late the reader gets going, the sender waits for room.
  setSocketPacing({5ms, 60s});
  Pair pair(kSmallBuffer);
  ASSERT_TRUE(pair.ok());
  std::string message(2 << 20, '\0');
  for (std::size_t i = 0; i < message.size(); ++i) message[i] = static_cast<char>('a' + i % 26);
  std::atomic<bool> sendEnded{false};
  std::string received;
  std::thread reader([&] {
    // Only once the sender has met a full buffer (or is done).
    while (!sendEnded && !sendBufferFull(pair.client)) std::this_thread::sleep_for(1ms);
    std::vector<char> buffer(1 << 16);
    for (;;) {
      const ssize_t count = ::recv(pair.accepted, buffer.data(), buffer.size(), 0);
      if (count <= 0) break;
      received.append(buffer.data(), static_cast<std::size_t>(count));
    }
  });
  ::testing::internal::CaptureStdout();
  // The connecting helper's descriptor is non-blocking.
  const int sent = ytcpsocket_send(pair.client, message.data(), static_cast<int>(message.size()));
  sendEnded = true;
  ::testing::internal::GetCapturedStdout();
  // The reader ends at the end of the stream, whatever the send did.
  ::shutdown(pair.client, SHUT_WR);
  reader.join();
  EXPECT_EQ(sent, static_cast<int>(message.size()));
  EXPECT_EQ(received.size(), message.size());
  EXPECT_TRUE(received == message);
}

TEST_F(Helpers, SendToAPeerThatTakesNothingGivesUpAfterTheWait) {
  Pair pair(kSmallBuffer);
  ASSERT_TRUE(pair.ok());
  // Far more than the two small buffers hold.
  const std::string message(4 << 20, 'z');
  const auto start = std::chrono::steady_clock::now();
  ::testing::internal::CaptureStdout();
  // Bounded only so that a send that never gives up fails the test.
  const auto sent = within(60s, [&] { return ytcpsocket_send(pair.client, message.data(), int(message.size())); });
  ::testing::internal::GetCapturedStdout();
  EXPECT_EQ(sent, -1);
  EXPECT_GE(std::chrono::steady_clock::now() - start, socketPacing().sendRoomWait) << "gave up before the wait";
}

TEST_F(Helpers, SendToAClosedPeerFailsWithoutASignal) {
  Pair pair;
  ASSERT_TRUE(pair.ok());
  ::close(pair.accepted);
  pair.accepted = -1;
  int result = 0;
  // The first writes may still go into the buffer; the peer's reset ends that.
  for (int i = 0; i < 50 && result >= 0; ++i) {
    result = ytcpsocket_send(pair.client, "ping", 4);
    std::this_thread::sleep_for(10ms);
  }
  EXPECT_EQ(result, -1);
}

TEST_F(Helpers, ListenFailuresGiveTheirCodesAndLeaveNoDescriptorOpen) {
  const int taken = ytcpsocket_listen("127.0.0.1", 0);
  ASSERT_GE(taken, 0);
  const std::size_t before = openDescriptors();
  EXPECT_EQ(ytcpsocket_listen("127.0.0.1", ytcpsocket_port(taken)), -1);
  EXPECT_EQ(ytcpsocket_listen("printer", 0), -1);
  EXPECT_EQ(ytcpsocket_listen(nullptr, 0), -1);
  EXPECT_EQ(openDescriptors(), before);
  ::close(taken);
}

TEST_F(Helpers, AcceptWritesTheLongestAddressWithinSixteenBytes) {
  const int listener = ytcpsocket_listen("127.0.0.1", 0);
  ASSERT_GE(listener, 0);
  const int client = connectFrom(kLongLoopback, ytcpsocket_port(listener));
  ASSERT_GE(client, 0);
  GuardedAddress peer;
  int port = 0;
  const int accepted = ytcpsocket_accept(listener, peer.text, &port, 2);
  ASSERT_GE(accepted, 0);
  EXPECT_EQ(peer.value(), kLongLoopback);
  EXPECT_TRUE(peer.guardsIntact());
  EXPECT_EQ(port, ytcpsocket_port(client));
  for (const int fd : {accepted, client, listener}) ::close(fd);
}

TEST_F(Helpers, AcceptWithNobodyComingGivesUpAfterItsTimeout) {
  const int listener = ytcpsocket_listen("127.0.0.1", 0);
  std::array<char, kAddressTextLength> address{};
  int port = 0;
  EXPECT_EQ(ytcpsocket_accept(listener, address, &port, 1), -1);
  ::close(listener);
}

TEST_F(Helpers, CallsOnADescriptorThatIsNoSocketOrNotOpenFail) {
  const int fd = ::open("/dev/null", O_RDONLY | O_CLOEXEC);
  EXPECT_EQ(ytcpsocket_port(fd), -1);
  EXPECT_EQ(enable_broadcast(fd), -1);
  ::close(fd);
  EXPECT_LT(ytcpsocket_bytes_available(fd), 0);
  std::array<char, kAddressTextLength> address{};
  int port = 0;
  EXPECT_EQ(ytcpsocket_pull(fd, address.data(), 4, 1), -1) << "the wait fails at once";
  EXPECT_EQ(ytcpsocket_accept(fd, address, &port, 0), -1) << "no wait without end";
}

TEST_F(Helpers, BytesAvailableCountsWhatWaits) {
  Pair pair;
  ASSERT_TRUE(pair.ok());
  EXPECT_EQ(ytcpsocket_bytes_available(pair.client), 0);
  ASSERT_EQ(ytcpsocket_send(pair.accepted, "12345", 5), 5);
  for (int i = 0; i < 100 && ytcpsocket_bytes_available(pair.client) < 5; ++i) std::this_thread::sleep_for(10ms);
  EXPECT_EQ(ytcpsocket_bytes_available(pair.client), 5);
}

TEST_F(Helpers, DatagramsCarryTheirSendersAddressAndPort) {
  ::testing::internal::CaptureStdout();
  const int server = yudpsocket_server("127.0.0.1", 0);
  const std::string log = ::testing::internal::GetCapturedStdout();
  ASSERT_GE(server, 0);
  EXPECT_EQ(log, "udp server ip len = 9\nbind server success and r = 0 and socketfd = " + std::to_string(server) +
                     "\n");
  const int client = yudpsocket_client();
  ASSERT_GE(client, 0);
  ASSERT_EQ(yudpsocket_sentto(client, "hello", 5, "127.0.0.1", ytcpsocket_port(server)), 5);

  std::array<char, 16> data{};
  GuardedAddress sender;
  int port = 0;
  ::testing::internal::CaptureStdout();
  EXPECT_EQ(yudpsocket_recive(server, data.data(), 16, sender.text, &port), 5);
  EXPECT_EQ(::testing::internal::GetCapturedStdout(),
            "receive data from socket =" + std::to_string(server) + "\nreceive data from socket =" +
                std::to_string(server) + ",clientip =127.0.0.1\n");
  EXPECT_STREQ(data.data(), "hello");
  EXPECT_EQ(sender.value(), "127.0.0.1");
  EXPECT_EQ(port, ytcpsocket_port(client));
  yudpsocket_close(client);
  yudpsocket_close(server);
}

TEST_F(Helpers, DatagramFromTheLongestAddressStaysWithinSixteenBytes) {
  const int server = yudpsocket_server("", 0);
  ASSERT_GE(server, 0);
  const int client = yudpsocket_server(kLongLoopback, 0);
  ASSERT_GE(client, 0);
  ASSERT_EQ(yudpsocket_sentto(client, "x", 1, "127.0.0.1", ytcpsocket_port(server)), 1);
  std::array<char, 4> data{};
  GuardedAddress sender;
  int port = 0;
  EXPECT_EQ(yudpsocket_recive(server, data.data(), 4, sender.text, &port), 1);
  EXPECT_EQ(sender.value(), kLongLoopback);
  EXPECT_TRUE(sender.guardsIntact());
  yudpsocket_close(client);
  yudpsocket_close(server);
}

TEST_F(Helpers, UdpServerOnAnAddressItCannotHaveFailsWithoutALeak) {
  const std::size_t before = openDescriptors();
  for (const char* address : {"192.0.2.1", "printer", "1.2.3"}) {
    SCOPED_TRACE(address);
    EXPECT_EQ(yudpsocket_server(address, 0), -1);
  }
  EXPECT_EQ(openDescriptors(), before);
}

TEST_F(Helpers, FailedReceiveStillWritesAnEmptySender) {
  GuardedAddress sender;
  sender.text.fill('?');
  int port = 99;
  std::array<char, 4> data{};
  EXPECT_LT(yudpsocket_recive(-1, data.data(), 4, sender.text, &port), 0);
  EXPECT_EQ(sender.value(), "0.0.0.0");
  EXPECT_EQ(port, 0);
}

TEST_F(Helpers, ServerAddressOfAHost) {
  struct Case {
    const char* host;
    int result;
    std::string text;
  };
  for (const Case& c : {Case{"localhost", 0, "127.0.0.1"}, Case{kLongLoopback, 0, kLongLoopback}, Case{"", -1, ""}}) {
    SCOPED_TRACE(c.host);
    GuardedAddress address;
    EXPECT_EQ(yudpsocket_get_server_ip(c.host, address.text), c.result);
    EXPECT_EQ(address.value(), c.text);
    EXPECT_TRUE(address.guardsIntact());
  }
}

TEST_F(Helpers, BroadcastPermission) {
  const int fd = yudpsocket_client();
  ASSERT_GE(fd, 0);
  EXPECT_EQ(enable_broadcast(fd), 0);
  int on = 0;
  socklen_t length = sizeof on;
  ASSERT_EQ(::getsockopt(fd, SOL_SOCKET, SO_BROADCAST, &on, &length), 0);
  EXPECT_EQ(on, 1);
  yudpsocket_close(fd);
}

TEST_F(Helpers, BlockFlagSwitchesTheDescriptorsMode) {
  const int fd = yudpsocket_client();
  ytcpsocket_set_block(fd, 0);
  EXPECT_NE(::fcntl(fd, F_GETFL) & O_NONBLOCK, 0);
  ytcpsocket_set_block(fd, 1);
  EXPECT_EQ(::fcntl(fd, F_GETFL) & O_NONBLOCK, 0);
  ::close(fd);
}

}  // namespace
}  // namespace device::socket
