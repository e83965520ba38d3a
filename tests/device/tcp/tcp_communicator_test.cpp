// The TCP channel against servers of the test on loopback addresses.

#include "device/tcp/tcp_communicator.h"

#include <gtest/gtest.h>

#include <csignal>
#include <future>
#include <string>
#include <vector>

#include "sim/tcp/loopback_server.h"

namespace device::tcp {
namespace {

using sim::tcp::Connection;
using sim::tcp::LoopbackServer;

ChannelOptions quick() {
  ChannelOptions options;
  options.connectTimeout = std::chrono::milliseconds(300);
  options.ioTimeout = std::chrono::milliseconds(300);
  return options;
}

std::span<const std::uint8_t> bytesOf(const std::string& text) {
  return {reinterpret_cast<const std::uint8_t*>(text.data()), text.size()};
}

bool contains(const std::string& text, const std::string& needle) {
  return text.find(needle) != std::string::npos;
}

class TcpChannel : public ::testing::Test {
 protected:
  // A write to a closed peer must fail, not kill the process: keep the
  // default action of SIGPIPE so a missing MSG_NOSIGNAL ends the test.
  void SetUp() override { std::signal(SIGPIPE, SIG_DFL); }
};

TEST_F(TcpChannel, ClosedPortLeavesBothHalvesInErrorAndReadsAndWritesFail) {
  TCPCommunicator channel("127.0.0.1", sim::tcp::closedLoopbackPort(), quick());
  ::testing::internal::CaptureStdout();
  EXPECT_FALSE(channel.connect());
  EXPECT_EQ(channel.receive(), std::nullopt);
  channel.send("CheckwifiAP?");
  const std::string log = ::testing::internal::GetCapturedStdout();

  EXPECT_EQ(channel.inputStatus(), StreamStatus::error);
  EXPECT_EQ(channel.outputStatus(), StreamStatus::error);
  EXPECT_EQ(channel.writeAll(bytesOf("x")), -1);
  EXPECT_EQ(log,
            "Opening streams.\n"
            "inputStream status = 7\n"
            "TCPCommunicator: func receive . read data len = -1\n"
            "outputStream status = 7\n"
            "outputstream write result = -1\n");
}

TEST_F(TcpChannel, PeerThatNeverAcceptsMakesConnectGiveUpAfterItsTimeout) {
  const sim::tcp::SilentListener silent;
  TCPCommunicator channel("127.0.0.1", silent.port(), quick());
  EXPECT_FALSE(channel.connect());
  EXPECT_EQ(channel.inputStatus(), StreamStatus::error);
}

TEST_F(TcpChannel, ReceiveGivesExactlyTheBytesThatCameWithoutAZeroFilledTail) {
  std::string command;
  LoopbackServer server([&](Connection& peer, int) {
    command = peer.readExactly(12);
    peer.sendBytes("8014,");
    peer.readUntilClosed();
  });
  TCPCommunicator channel("127.0.0.1", server.port(), quick());
  ASSERT_TRUE(channel.connect());
  channel.send("CheckwifiAP?");
  const std::optional<std::string> reply = channel.receive();
  ASSERT_TRUE(reply);
  EXPECT_EQ(*reply, "8014,");
  EXPECT_EQ(reply->size(), 5u);
  EXPECT_EQ(channel.inputStatus(), StreamStatus::open);
  channel.disconnect();
  server.join();
  EXPECT_EQ(command, "CheckwifiAP?");
}

TEST_F(TcpChannel, ReplySplitOverTwoReadsComesBackInTwoReadsWithNothingLost) {
  std::promise<void> firstHalfRead;
  LoopbackServer server([&](Connection& peer, int) {
    peer.sendBytes("8014,MyPrinter\r\n");
    firstHalfRead.get_future().wait();
    peer.sendBytes("6\r\nsecret;");
    peer.waitUntilStopped();
  });
  TCPCommunicator channel("127.0.0.1", server.port(), quick());
  ASSERT_TRUE(channel.connect());
  EXPECT_EQ(channel.receive(), "8014,MyPrinter\r\n");
  firstHalfRead.set_value();
  EXPECT_EQ(channel.receive(), "6\r\nsecret;");
}

TEST_F(TcpChannel, ReceiveTakesAtMost1024BytesAndLeavesTheRestForTheNextRead) {
  std::promise<void> sent;
  LoopbackServer server([&](Connection& peer, int) {
    peer.sendBytes(std::string(1500, 'a'));
    sent.set_value();
    peer.waitUntilStopped();
  });
  TCPCommunicator channel("127.0.0.1", server.port(), quick());
  ASSERT_TRUE(channel.connect());
  sent.get_future().wait();
  EXPECT_EQ(channel.receive(), std::string(1024, 'a'));
  EXPECT_EQ(channel.receive(), std::string(476, 'a'));
}

TEST_F(TcpChannel, InvalidUtf8GivesNoTextWhileChineseTextComesWhole) {
  std::promise<void> firstRead;
  LoopbackServer server([&](Connection& peer, int) {
    peer.sendBytes("\xFF\xFE");
    firstRead.get_future().wait();
    peer.sendBytes("设备忙,打印中");
    peer.waitUntilStopped();
  });
  TCPCommunicator channel("127.0.0.1", server.port(), quick());
  ASSERT_TRUE(channel.connect());
  EXPECT_EQ(channel.receive(), std::nullopt);
  firstRead.set_value();
  EXPECT_EQ(channel.receive(), "设备忙,打印中");
}

TEST_F(TcpChannel, PeerThatClosesMidExchangeEndsTheStreamAndWritesFailWithoutSigpipe) {
  LoopbackServer server([&](Connection& peer, int) {
    peer.readExactly(12);
    peer.sendBytes("80");
    peer.close();
  });
  TCPCommunicator channel("127.0.0.1", server.port(), quick());
  ASSERT_TRUE(channel.connect());
  channel.send("CheckwifiAP?");
  EXPECT_EQ(channel.receive(), "80");
  ::testing::internal::CaptureStdout();
  EXPECT_EQ(channel.receive(), std::nullopt);
  const std::string log = ::testing::internal::GetCapturedStdout();
  EXPECT_TRUE(contains(log, "TCPCommunicator: func receive . read data len = 0\n")) << log;
  EXPECT_EQ(channel.inputStatus(), StreamStatus::atEnd);
  server.join();

  // The first write after the close may still be taken; the peer's reset
  // makes a later one fail.
  const std::string block(1 << 20, 'x');
  std::ptrdiff_t result = 0;
  for (int attempt = 0; attempt < 3 && result >= 0; ++attempt) {
    result = channel.writeAll(bytesOf(block));
  }
  EXPECT_EQ(result, -1);
  EXPECT_EQ(channel.outputStatus(), StreamStatus::error);
}

TEST_F(TcpChannel, PeerThatNeverAnswersTimesOutAndTheChannelStaysUsable) {
  std::promise<void> gaveUp;
  LoopbackServer server([&](Connection& peer, int) {
    peer.readExactly(7);
    gaveUp.get_future().wait();
    peer.sendBytes("late");
    peer.waitUntilStopped();
  });
  TCPCommunicator channel("127.0.0.1", server.port(), quick());
  ASSERT_TRUE(channel.connect());
  channel.send("Status?");
  ::testing::internal::CaptureStdout();
  EXPECT_EQ(channel.receive(), std::nullopt);
  const std::string log = ::testing::internal::GetCapturedStdout();
  EXPECT_TRUE(contains(log, "TCPCommunicator: func receive . read data len = -1\n")) << log;
  EXPECT_EQ(channel.inputStatus(), StreamStatus::open);
  gaveUp.set_value();
  EXPECT_EQ(channel.receive(), "late");
}

TEST_F(TcpChannel, LargeSendArrivesWholeAcrossPartialWrites) {
  std::string payload(16 << 20, '\0');
  for (std::size_t i = 0; i < payload.size(); ++i) {
    payload[i] = static_cast<char>((i * 7919) >> 5);
  }
  std::string received;
  LoopbackServer server([&](Connection& peer, int) { received = peer.readExactly(payload.size()); });
  // The reader keeps up; the wait only has to outlast a busy machine's
  // scheduling, so it is not the short one of the failure tests.
  ChannelOptions patient = quick();
  patient.ioTimeout = std::chrono::seconds(10);
  TCPCommunicator channel("127.0.0.1", server.port(), patient);
  ASSERT_TRUE(channel.connect());
  EXPECT_EQ(channel.writeAll(bytesOf(payload)), static_cast<std::ptrdiff_t>(payload.size()));
  server.join();
  EXPECT_TRUE(received == payload) << "received " << received.size() << " of " << payload.size();
}

TEST_F(TcpChannel, PeerThatStopsReadingMakesAWriteFailAfterTheTimeout) {
  LoopbackServer server([&](Connection& peer, int) { peer.waitUntilStopped(); });
  TCPCommunicator channel("127.0.0.1", server.port(), quick());
  ASSERT_TRUE(channel.connect());
  const std::string payload(64 << 20, 'x');
  EXPECT_EQ(channel.writeAll(bytesOf(payload)), -1);
  EXPECT_EQ(channel.outputStatus(), StreamStatus::error);
}

TEST_F(TcpChannel, WithoutAConnectionNothingIsReadOrWritten) {
  TCPCommunicator channel("127.0.0.1", sim::tcp::closedLoopbackPort(), quick());
  std::vector<std::uint8_t> buffer(16);
  for (int round = 0; round < 2; ++round) {
    ::testing::internal::CaptureStdout();
    EXPECT_EQ(channel.receive(), std::nullopt);
    channel.send("CheckwifiAP?");
    const std::string log = ::testing::internal::GetCapturedStdout();
    EXPECT_EQ(log,
              "inputStream status = none\n"
              "outputStream status = none\n"
              "outputstream write result = none\n");
    EXPECT_EQ(channel.readSome(buffer), -1);
    EXPECT_EQ(channel.writeAll(bytesOf("x")), -1);
    EXPECT_EQ(channel.inputStatus(), std::nullopt);
    channel.disconnect();  // also when there is nothing to close
  }
}

TEST_F(TcpChannel, NewAddressTakesEffectAtTheNextConnect) {
  std::string first;
  std::string second;
  LoopbackServer one([&](Connection& peer, int) { first = peer.readUntilClosed(); });
  LoopbackServer two([&](Connection& peer, int) { second = peer.readUntilClosed(); }, 1,
                     "127.0.0.2", one.port());
  TCPCommunicator channel("127.0.0.1", one.port(), quick());
  ASSERT_TRUE(channel.connect());
  channel.send("one;");
  channel.setURL("127.0.0.2");
  channel.send("still one;");
  channel.disconnect();
  ASSERT_TRUE(channel.connect());
  channel.send("two;");
  channel.disconnect();
  one.join();
  two.join();
  EXPECT_EQ(first, "one;still one;");
  EXPECT_EQ(second, "two;");
}

TEST_F(TcpChannel, StatusMonitorLogLines) {
  LoopbackServer server([&](Connection& peer, int) { peer.readUntilClosed(); });
  TCPCommunicator channel("127.0.0.1", server.port(), quick());
  ::testing::internal::CaptureStdout();
  ASSERT_TRUE(channel.connect());
  channel.send("");
  channel.send("Status?");
  channel.disconnect();
  EXPECT_EQ(::testing::internal::GetCapturedStdout(),
            "Opening streams.\n"
            "outputStream status = 2\n"
            "outputstream write result = 0\n"
            "outputStream status = 2\n"
            "outputstream write result = 7\n"
            "Closing streams.\n");
}

TEST_F(TcpChannel, PortBeyondSixteenBitsIsNotCutDownToAnotherPort) {
  LoopbackServer server([&](Connection& peer, int) { peer.waitUntilStopped(); });
  TCPCommunicator channel("127.0.0.1", 0x10000u + server.port(), quick());
  EXPECT_FALSE(channel.connect());
  EXPECT_EQ(channel.inputStatus(), StreamStatus::error);
}

TEST_F(TcpChannel, ConnectingAgainClosesTheConnectionBefore) {
  std::promise<std::string> first;
  LoopbackServer server(
      [&](Connection& peer, int index) {
        if (index == 0) {
          first.set_value(peer.readUntilClosed());
        } else {
          peer.waitUntilStopped();
        }
      },
      2);
  TCPCommunicator channel("127.0.0.1", server.port(), quick());
  ASSERT_TRUE(channel.connect());
  channel.send("old");
  ASSERT_TRUE(channel.connect());
  std::future<std::string> ended = first.get_future();
  ASSERT_EQ(ended.wait_for(std::chrono::seconds(10)), std::future_status::ready)
      << "the first connection was left open";
  EXPECT_EQ(ended.get(), "old");
  EXPECT_EQ(channel.inputStatus(), StreamStatus::open);
}

}  // namespace
}  // namespace device::tcp
