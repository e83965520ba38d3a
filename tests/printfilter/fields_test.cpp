#include <gtest/gtest.h>

#include <cstdlib>
#include <ctime>

#include "printfilter/fields.h"

namespace printfilter {
namespace {

struct ValueCase {
  const char* name;
  std::string in;
  std::size_t max;
  std::string out;
};

class FieldValue : public testing::TestWithParam<ValueCase> {};

TEST_P(FieldValue, CannotStartOrEndAFieldAndKeepsUtf8Whole) {
  EXPECT_EQ(fieldValue(GetParam().in, GetParam().max), GetParam().out);
}

INSTANTIATE_TEST_SUITE_P(
    Titles, FieldValue,
    testing::Values(
        ValueCase{"PlainTitleUnchanged", "Report 2024.pdf", 255, "Report 2024.pdf"},
        ValueCase{"PercentGoesThrough", "100% of %s and %n", 255, "100% of %s and %n"},
        ValueCase{"SemicolonAndEqualsReplaced", "a;Copies=99;b", 255, "a_Copies_99_b"},
        ValueCase{"ControlCharactersReplaced", std::string("a\nb\rc\td\x7f" "e\x01", 10), 255, "a_b_c_d_e_"},
        ValueCase{"LongTitleCut", std::string(300, 'x'), 255, std::string(255, 'x')},
        // "é" is two bytes: a cut after its first byte drops it whole.
        ValueCase{"CutNeverSplitsTwoByteCharacter", "ab\xc3\xa9", 3, "ab"},
        ValueCase{"CutKeepsCharacterThatFits", "ab\xc3\xa9", 4, "ab\xc3\xa9"},
        // "文" is three bytes.
        ValueCase{"CutNeverSplitsThreeByteCharacter", "\xe6\x96\x87\xe6\x96\x87", 5, "\xe6\x96\x87"},
        ValueCase{"Utf8TitleUnchanged", "\xe6\x96\x87\xe6\xa1\xa3", 255, "\xe6\x96\x87\xe6\xa1\xa3"}),
    [](const auto& tested) { return std::string(tested.param.name); });

struct SizeCase {
  const char* pageSize;
  const char* field;
};

class MediaSize : public testing::TestWithParam<SizeCase> {};

TEST_P(MediaSize, FieldForPageSize) { EXPECT_EQ(mediaSizeField(GetParam().pageSize), GetParam().field); }

INSTANTIATE_TEST_SUITE_P(PageSizes, MediaSize,
                         testing::Values(SizeCase{"A4", "MediaSize=na_a4_210x297mm;"},
                                         SizeCase{"A5", "MediaSize=na_a5_148x210mm;"},
                                         SizeCase{"A6", "MediaSize=na_a6_105x148mm;"},
                                         SizeCase{"B5", "MediaSize=na_b5_182x257mm;"},
                                         SizeCase{"B6", "MediaSize=na_b6_128x182mm;"},
                                         SizeCase{"16K", "MediaSize=na_16k_195x270mm;"},
                                         SizeCase{"Custom.595.28x841.89", "MediaSize=na_16k_195x270mm;"},
                                         SizeCase{"32K", "MediaSize=na_32k_135x195mm;"},
                                         SizeCase{"Letter", "MediaSize=na_LETTER_216x279mm;"},
                                         SizeCase{"85x170mm", "MediaSize=na_bank_85x170mm;"},
                                         SizeCase{"Legal", "MediaSize=na_a4_210x297mm;"},
                                         SizeCase{"", "MediaSize=na_a4_210x297mm;"}));

TEST(PageHeader, WidthRoundedUpToMultipleOfEight) {
  EXPECT_EQ(pageHeader("A4", 4961, 7016, InputSlot::Auto),
            "MediaSize=na_a4_210x297mm;Origin.Top=+50;Origin.Left=+50;RasterObject.Width=4968;"
            "RasterObject.Height=7016;MediaInputTrayCheck=auto;");
  EXPECT_EQ(roundedWidth(4968), 4968U);
  EXPECT_EQ(roundedWidth(13), 16U);
}

TEST(PageHeader, TrayField) {
  EXPECT_EQ(inputTrayField(InputSlot::MpTray), "MediaInputTrayCheck=manual;");
  EXPECT_EQ(inputTrayField(InputSlot::Tray1), "MediaInputTrayCheck=cassette;");
  for (InputSlot slot : {InputSlot::Tray2, InputSlot::Tray3}) {
    const std::string header = pageHeader("A5", 16, 10, slot);
    EXPECT_TRUE(header.ends_with("RasterObject.Height=10;")) << header;
  }
}

TEST(JobHeader, FieldsInOrderWithLineFeedInJobTime) {
  setenv("TZ", "UTC", 1);
  tzset();
  const JobHeaderValues values{"Quarterly 100%", "3", MediaType::Envelope, Sides::ShortEdge};
  EXPECT_EQ(jobHeader(values, 1700000000),
            "JobName=Quarterly 100%;JobTime=Tue Nov 14 22:13:20 2023\n;SysVersion=MAC;Resolution=600x600;"
            "MediaType=envelope;Sides=TwoSidedShortEdge;Copies=3;");
}

TEST(JobHeader, MediaTypeAndSidesFields) {
  EXPECT_EQ(mediaTypeField(MediaType::Plain), "MediaType=plain;");
  EXPECT_EQ(mediaTypeField(MediaType::Thick), "MediaType=thick;");
  EXPECT_EQ(mediaTypeField(MediaType::Thin), "MediaType=thin;");
  EXPECT_EQ(mediaTypeField(MediaType::Card), "MediaType=card;");
  EXPECT_EQ(sidesField(Sides::OneSided), "Sides=OneSided;");
  EXPECT_EQ(sidesField(Sides::LongEdge), "Sides=TwoSidedLongEdge;");
}

TEST(DataRecord, KeyCarriesPayloadSize) {
  EXPECT_EQ(dataRecordKey(4096), "RasterObject.Data#4096=");
  EXPECT_EQ(dataRecordKey(1), "RasterObject.Data#1=");
}

}  // namespace
}  // namespace printfilter
