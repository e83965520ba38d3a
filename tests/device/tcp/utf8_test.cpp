#include "device/tcp/utf8.h"

#include <gtest/gtest.h>

#include <ostream>
#include <string>

namespace device::tcp {
namespace {

struct Utf8Case {
  const char* name;
  std::string bytes;
  bool valid;
};

// Names the case in test listings instead of dumping its bytes.
void PrintTo(const Utf8Case& tested, std::ostream* out) { *out << tested.name; }

class Utf8 : public ::testing::TestWithParam<Utf8Case> {};

TEST_P(Utf8, IsJudgedByte) {
  const std::string& bytes = GetParam().bytes;
  EXPECT_EQ(isValidUtf8({reinterpret_cast<const std::uint8_t*>(bytes.data()), bytes.size()}),
            GetParam().valid);
}

INSTANTIATE_TEST_SUITE_P(
    Sequences, Utf8,
    ::testing::Values(Utf8Case{"Empty", "", true},
                      Utf8Case{"Ascii", "8014,AP;", true},
                      Utf8Case{"ZeroBytesAreCharacters", std::string("80\0\0", 4), true},
                      Utf8Case{"TwoBytes", "\xC2\x80", true},
                      Utf8Case{"ThreeBytesChinese", "\xE8\xAE\xBE\xE5\xA4\x87", true},
                      Utf8Case{"FourBytes", "\xF0\x9F\x98\x80", true},
                      Utf8Case{"HighestCodePoint", "\xF4\x8F\xBF\xBF", true},
                      Utf8Case{"StrayContinuation", "\x80", false},
                      Utf8Case{"InvalidLeadBytes", "\xFF\xFE", false},
                      Utf8Case{"OverlongSlash", "\xC0\xAF", false},
                      Utf8Case{"OverlongThreeBytes", "\xE0\x80\xAF", false},
                      Utf8Case{"Surrogate", "\xED\xA0\x80", false},
                      Utf8Case{"AboveU10FFFF", "\xF4\x90\x80\x80", false},
                      Utf8Case{"CutShortAtTheEnd", "80\xE8\xAE", false},
                      Utf8Case{"MissingContinuationInside", "\xE8\x41\xBE", false}),
    [](const auto& tested) { return std::string(tested.param.name); });

}  // namespace
}  // namespace device::tcp
