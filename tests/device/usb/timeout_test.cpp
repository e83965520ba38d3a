#include <gtest/gtest.h>

#include <cmath>
#include <limits>
#include <stdexcept>

#include "device/usb/timeout.h"

namespace {

using device::usb::millisecondsFromSeconds;
using device::usb::transferTimeoutMs;

struct SecondsCase {
  double seconds;
  std::uint32_t milliseconds;
};

class SecondsToMilliseconds : public ::testing::TestWithParam<SecondsCase> {};

TEST_P(SecondsToMilliseconds, MultipliesByAThousandAndTruncates) {
  EXPECT_EQ(millisecondsFromSeconds(GetParam().seconds), GetParam().milliseconds);
}

INSTANTIATE_TEST_SUITE_P(Values, SecondsToMilliseconds,
                         ::testing::Values(SecondsCase{0.3, 300}, SecondsCase{2.0, 2000}, SecondsCase{30.0, 30000},
                                           SecondsCase{0.0015, 1}, SecondsCase{2.9999, 2999},
                                           SecondsCase{0.0009, 0}, SecondsCase{0.0, 0},
                                           // Truncated toward zero, so just below 0 is 0.
                                           SecondsCase{-0.0005, 0}, SecondsCase{4294967.295, 4294967295u}));

TEST(SecondsToMilliseconds, RefusesWhatCannotBeAMillisecondCount) {
  for (double seconds : {-0.001, 4294967.296, std::numeric_limits<double>::infinity(),
                         std::numeric_limits<double>::quiet_NaN()}) {
    EXPECT_THROW(millisecondsFromSeconds(seconds), std::invalid_argument) << seconds;
  }
}

TEST(TransferTimeout, IsTheCompletionBoundOrElseTheNoDataBound) {
  EXPECT_EQ(transferTimeoutMs(300, 300), 300u);
  EXPECT_EQ(transferTimeoutMs(2000, 3000), 3000u);
  EXPECT_EQ(transferTimeoutMs(30000, 60000), 60000u);
  EXPECT_EQ(transferTimeoutMs(2000, 0), 2000u);
}

TEST(TransferTimeout, RefusesATransferThatCouldWaitForEver) {
  EXPECT_THROW(transferTimeoutMs(0, 0), std::invalid_argument);
}

}  // namespace
