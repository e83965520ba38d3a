#pragma once
// What the socket tests share: texts of received bytes, short pauses, waits
// that cannot hang a test.

#include <gtest/gtest.h>

#include <chrono>
#include <cstdint>
#include <future>
#include <memory>
#include <optional>
#include <thread>
#include <string>
#include <vector>

namespace device::socket::testing {

std::string text(const std::vector<std::uint8_t>& bytes);

// Keeps the helpers' pauses short for the test and puts them back after.
class QuickPacing : public ::testing::Test {
 protected:
  void SetUp() override;
  void TearDown() override;
};

// Runs work on a thread of its own and waits for it at most `limit`: a
// call that blocks for ever fails the test instead of hanging it (the
// thread is left to finish when the blocking ends).
template <typename Work>
auto within(std::chrono::milliseconds limit, Work work) -> std::optional<decltype(work())> {
  auto result = std::make_shared<std::promise<decltype(work())>>();
  auto future = result->get_future();
  std::thread([result, work = std::move(work)]() mutable { result->set_value(work()); }).detach();
  if (future.wait_for(limit) != std::future_status::ready) {
    ADD_FAILURE() << "still blocked after " << limit.count() << " ms";
    return std::nullopt;
  }
  return future.get();
}

}  // namespace device::socket::testing
