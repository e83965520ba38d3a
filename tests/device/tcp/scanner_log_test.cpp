// The channel's log lines in the scanner application, whose flavour is fixed
// before anything else, as the scanner's main does.

#include <gtest/gtest.h>

#include <string>

#include "device/common/flavour.h"
#include "device/tcp/tcp_communicator.h"
#include "sim/tcp/loopback_server.h"

namespace device::tcp {
namespace {

using sim::tcp::Connection;
using sim::tcp::LoopbackServer;

TEST(TcpChannelInTheScanner, LogsItsConnectAndCloseLines) {
  std::string received;
  ChannelOptions options;
  options.connectTimeout = std::chrono::milliseconds(300);
  options.ioTimeout = std::chrono::milliseconds(300);
  LoopbackServer server([&](Connection& peer, int) { received = peer.readUntilClosed(); });
  TCPCommunicator channel("127.0.0.1", server.port(), options);
  ::testing::internal::CaptureStdout();
  ASSERT_TRUE(channel.connect());
  channel.send("\x1b" "D\nADF\n");
  channel.disconnect();
  EXPECT_EQ(::testing::internal::GetCapturedStdout(),
            "TCP Socket attemp to connect ip = 127.0.0.1 and port = " +
                std::to_string(server.port()) +
                "\n"
                "Opening streams. Connected\n"
                "Closing streams.\n");
  server.join();
  EXPECT_EQ(received, "\x1b" "D\nADF\n");
}

}  // namespace
}  // namespace device::tcp

int main(int argc, char** argv) {
  device::setFlavour(device::Flavour::Scanner);
  ::testing::InitGoogleTest(&argc, argv);
  return RUN_ALL_TESTS();
}
