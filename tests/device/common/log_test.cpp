// The byte lists the log lines show.
#include <gtest/gtest.h>

#include <cstdint>
#include <vector>

#include "device/common/log.h"

namespace {

using device::byteList;

TEST(ByteList, IsBracketedDecimalsSeparatedByCommaAndBlank) {
  EXPECT_EQ(byteList({}), "[]");
  const std::vector<std::uint8_t> bytes{1, 2, 255};
  EXPECT_EQ(byteList(bytes), "[1, 2, 255]");
}

}  // namespace
