#include "device/snmp/output_texts.h"

#include <gtest/gtest.h>

#include <ostream>
#include <string>

namespace device::snmp {
namespace {

const std::string printerOid = "iso.3.6.1.4.1.48117.4.7.1.8";

TEST(DiscoveryList, EntriesAreAddressCommaIdentifierAndBar) {
  std::string list;
  EXPECT_TRUE(appendDiscoveryEntry(list, "192.0.2.11", printerOid));
  EXPECT_TRUE(appendDiscoveryEntry(list, "192.0.2.12", "iso.3.6.1.4.1.8072.3.2.10"));
  EXPECT_EQ(list,
            "192.0.2.11,iso.3.6.1.4.1.48117.4.7.1.8|192.0.2.12,iso.3.6.1.4.1.8072.3.2.10|");
}

TEST(DiscoveryList, IsAppendedToWhatTheCallerAlreadyHolds) {
  std::string list = "192.0.2.1,x|";
  EXPECT_TRUE(appendDiscoveryEntry(list, "192.0.2.11", printerOid));
  EXPECT_EQ(list, "192.0.2.1,x|192.0.2.11," + printerOid + "|");
}

TEST(DiscoveryList, FillsTheCallersBufferToTheLastByteBeforeItsZero) {
  // One entry of exactly 2999 characters fits a 3000-byte buffer with its zero byte.
  const std::string address = "192.0.2.11";
  const std::string oid(discoveryListBufferSize - 1 - address.size() - 2, '1');
  std::string list;
  EXPECT_TRUE(appendDiscoveryEntry(list, address, oid));
  EXPECT_EQ(list.size(), discoveryListBufferSize - 1);

  std::string tooLong;
  EXPECT_FALSE(appendDiscoveryEntry(tooLong, address, oid + "1"));
  EXPECT_EQ(tooLong, "");
}

TEST(DiscoveryList, EntryThatDoesNotFitIsLeftOutWholeAndLaterShortOnesStillFit) {
  std::string list(discoveryListBufferSize - 40, 'x');
  EXPECT_FALSE(appendDiscoveryEntry(list, "192.0.2.11", printerOid + ".99.99.99.99"));
  EXPECT_EQ(list.size(), discoveryListBufferSize - 40);
  EXPECT_TRUE(appendDiscoveryEntry(list, "192.0.2.12", printerOid));
  EXPECT_EQ(list.substr(discoveryListBufferSize - 40), "192.0.2.12," + printerOid + "|");
  EXPECT_LT(list.size(), discoveryListBufferSize);
}

struct FitCase {
  const char* name;
  std::string text;
  std::size_t bufferSize;
  std::string expected;
};

// Names the case in test listings instead of dumping its bytes.
void PrintTo(const FitCase& tested, std::ostream* out) { *out << tested.name; }

class FitToBuffer : public ::testing::TestWithParam<FitCase> {};

TEST_P(FitToBuffer, KeepsWhatTheBufferHoldsBesideItsZeroByte) {
  EXPECT_EQ(fitToBuffer(GetParam().text, GetParam().bufferSize), GetParam().expected);
}

INSTANTIATE_TEST_SUITE_P(
    Texts, FitToBuffer,
    ::testing::Values(
        FitCase{"TonerValueFitsTheThirtyByteBuffer", "INTEGER: 85", 30, "INTEGER: 85"},
        FitCase{"LongTextIsCutToTwentyNine", "No Such Instance currently exists at this OID", 30,
                "No Such Instance currently ex"},
        FitCase{"ExactlyBufferSizeLessOne", std::string(29, 'a'), 30, std::string(29, 'a')},
        FitCase{"ErrorInATinyBuffer", "error", 3, "er"},
        FitCase{"NoBufferNoText", "error", 0, ""}),
    [](const auto& tested) { return std::string(tested.param.name); });

TEST(WriteOverStart, LongerTextReplacesAll) {
  std::string out = "INTEGER: 3";
  writeOverStart(out, "INTEGER: 85");
  EXPECT_EQ(out, "INTEGER: 85");
}

TEST(WriteOverStart, ShorterTextLeavesTheTailOfTheTextBefore) {
  // Several bindings of one answer land one over another in the caller's buffer.
  std::string out = "INTEGER: 85";
  writeOverStart(out, "INTEGER: 3");
  EXPECT_EQ(out, "INTEGER: 35");
}

TEST(Clipped, CutsToTheBound) {
  EXPECT_EQ(clipped(std::string(1500, '1'), maxObjectIdTextLength).size(), 1023u);
  EXPECT_EQ(clipped("abc", maxValueTextLength), "abc");
}

}  // namespace
}  // namespace device::snmp
