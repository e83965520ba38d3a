#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "device/common/utf8.h"

namespace {

using device::decodeUtf8;

struct Utf8Case {
  const char* name;
  std::vector<std::uint8_t> bytes;
  bool valid;
};

class Utf8Text : public ::testing::TestWithParam<Utf8Case> {};

TEST_P(Utf8Text, DecodesOnlyWellFormedText) {
  const auto& bytes = GetParam().bytes;
  const auto text = decodeUtf8(bytes);
  ASSERT_EQ(text.has_value(), GetParam().valid);
  if (text) {
    EXPECT_EQ(*text, std::string(bytes.begin(), bytes.end()));
  }
}

INSTANTIATE_TEST_SUITE_P(
    Cases, Utf8Text,
    ::testing::Values(Utf8Case{"Ascii", {'8', '0', '1', '4', '\r', '\n'}, true}, Utf8Case{"Empty", {}, true},
                      // "正在" and U+10FFFF, the last code point
                      Utf8Case{"MultiByte", {0xE6, 0xAD, 0xA3, 0xE5, 0x9C, 0xA8, 0xF4, 0x8F, 0xBF, 0xBF}, true},
                      Utf8Case{"ZeroBytesKept", {'a', 0x00, 0x00}, true},
                      Utf8Case{"InvalidByte", {'a', 0xFF}, false},
                      Utf8Case{"LoneContinuation", {0x80}, false},
                      Utf8Case{"CutOffSequence", {'8', 0xE6, 0xAD}, false},
                      Utf8Case{"Overlong", {0xC0, 0x80}, false},
                      Utf8Case{"OverlongThreeBytes", {0xE0, 0x80, 0xAF}, false},
                      Utf8Case{"Surrogate", {0xED, 0xA0, 0x80}, false},
                      Utf8Case{"PastLastCodePoint", {0xF4, 0x90, 0x80, 0x80}, false},
                      Utf8Case{"BadSecondContinuation", {0xE6, 0xAD, 0x41}, false},
                      Utf8Case{"TwoBytes", {0xC2, 0x80}, true},
                      Utf8Case{"FourBytes", {0xF0, 0x9F, 0x98, 0x80}, true},
                      Utf8Case{"InvalidLeadBytes", {0xFF, 0xFE}, false},
                      Utf8Case{"OverlongSlash", {0xC0, 0xAF}, false},
                      Utf8Case{"MissingContinuationInside", {0xE8, 0x41, 0xBE}, false}),
    [](const auto& tested) { return std::string(tested.param.name); });

}  // namespace
