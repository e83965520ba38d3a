#pragma once

// The base of tests on a private network: a network of this test with the
// client's namespace, "cli", in it; the test is skipped where namespaces
// cannot be made.

#include <gtest/gtest.h>

#include <optional>
#include <string>

#include "sim/net/test_network.h"

namespace sim::net {

class NetworkTest : public ::testing::Test {
 protected:
  void SetUp() override {
    if (const std::optional<std::string> reason = TestNetwork::unavailableReason()) {
      GTEST_SKIP() << *reason;
    }
    network_.emplace();
    client_ = network_->addHost("cli");
  }

  // A new segment with the client on it at 192.0.2.1/24; returns its name.
  std::string clientSegment() {
    const std::string segment = network_->addSegment();
    network_->attach(client_, segment, "eth0", "192.0.2.1/24");
    return segment;
  }

  std::optional<TestNetwork> network_;
  std::string client_;
};

}  // namespace sim::net
