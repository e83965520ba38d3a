// Descriptor numbers at the edges: 0, which a process gets once its
// standard input is closed, and numbers of 1024 and above, which a busy
// process reaches.
#include <fcntl.h>
#include <sys/resource.h>
#include <unistd.h>

#include <gtest/gtest.h>

#include <algorithm>
#include <array>
#include <functional>
#include <string>
#include <vector>

#include "device/socket/tcp_client.h"
#include "device/socket/tcp_server.h"
#include "device/socket/udp_client.h"
#include "device/socket/udp_server.h"
#include "device/socket/ysocket.h"
#include "socket_test_support.h"

namespace device::socket {
namespace {

using testing::text;

// Frees descriptor 0 (the next new descriptor takes it); standard input
// comes back to it when the object goes, once the socket there is closed.
class DescriptorZero {
 public:
  DescriptorZero() = default;
  DescriptorZero(const DescriptorZero&) = delete;
  DescriptorZero& operator=(const DescriptorZero&) = delete;
  ~DescriptorZero() {
    if (saved_ >= 0) {
      ::dup2(saved_, 0);
      ::close(saved_);
    }
  }

  void free() {
    saved_ = ::fcntl(0, F_DUPFD_CLOEXEC, 3);
    ::close(0);
  }

 private:
  int saved_ = -1;
};

// A full exchange between the classes; `zeroGoesTo` names the socket that
// is made while descriptor 0 is free. The descriptors the sockets had.
std::vector<std::int32_t> exchange(const std::string& zeroGoesTo) {
  SCOPED_TRACE(zeroGoesTo);
  DescriptorZero zero;
  auto freeFor = [&](const char* name) {
    if (zeroGoesTo == name) zero.free();
  };

  freeFor("listener");
  TCPServer server("127.0.0.1", 0);
  if (!server.listen().isSuccess()) {
    ADD_FAILURE() << "listen";
    return {};
  }
  freeFor("client");
  TCPClient client("127.0.0.1", server.port());
  if (!client.connect(2).isSuccess()) {
    ADD_FAILURE() << "connect";
    return {};
  }
  freeFor("accepted");
  std::optional<TCPClient> accepted = server.accept(2);
  if (!accepted) {
    ADD_FAILURE() << "accept";
    return {};
  }
  EXPECT_TRUE(client.send("ping").isSuccess());
  EXPECT_EQ(text(accepted->read(16, 2).value_or(std::vector<std::uint8_t>{})), "ping");
  EXPECT_TRUE(accepted->send("pong").isSuccess());
  EXPECT_EQ(text(client.read(16, 2).value_or(std::vector<std::uint8_t>{})), "pong");

  freeFor("udp server");
  UDPServer udpServer("127.0.0.1", 0);
  freeFor("udp client");
  UDPClient udpClient("127.0.0.1", ytcpsocket_port(*udpServer.fd()));
  EXPECT_TRUE(udpClient.send("datagram").isSuccess());
  EXPECT_EQ(text(udpServer.recv(16).bytes.value_or(std::vector<std::uint8_t>{})), "datagram");

  std::vector<std::int32_t> fds;
  for (Socket* socket : std::initializer_list<Socket*>{&server, &client, &*accepted, &udpServer, &udpClient}) {
    fds.push_back(socket->fd().value_or(-1));
    socket->close();
  }
  return fds;
}

class Descriptors : public testing::QuickPacing {};

TEST_F(Descriptors, DescriptorZeroIsADescriptorLikeAnyOther) {
  const std::vector<std::string> names{"listener", "client", "accepted", "udp server", "udp client"};
  for (std::size_t i = 0; i < names.size(); ++i) {
    const std::vector<std::int32_t> fds = exchange(names[i]);
    ASSERT_EQ(fds.size(), names.size());
    EXPECT_EQ(fds[i], 0) << names[i];
  }
}

TEST_F(Descriptors, DescriptorsAbove1023WaitLikeAnyOther) {
  rlimit limit{};
  ASSERT_EQ(::getrlimit(RLIMIT_NOFILE, &limit), 0);
  const rlimit saved = limit;
  if (limit.rlim_max < 1200) GTEST_SKIP() << "the process may not open 1200 descriptors";
  limit.rlim_cur = std::max<rlim_t>(limit.rlim_cur, 1200);
  ASSERT_EQ(::setrlimit(RLIMIT_NOFILE, &limit), 0);
  // Every number below 1100 taken: the sockets get higher ones.
  std::vector<int> fillers;
  for (int fd = 0; fd >= 0 && fd < 1100;) {
    fd = ::open("/dev/null", O_RDONLY | O_CLOEXEC);
    fillers.push_back(fd);
  }
  const std::vector<std::int32_t> fds = exchange("none");
  EXPECT_EQ(fds.size(), 5u);
  for (const std::int32_t fd : fds) EXPECT_GT(fd, 1100);
  for (const int fd : fillers) ::close(fd);
  ::setrlimit(RLIMIT_NOFILE, &saved);
}

}  // namespace
}  // namespace device::socket
