// Pure formats: file names, BMP header bytes, media boxes, merge halves.
#include <gtest/gtest.h>

#include <chrono>

#include "scan/pages/bmp_image.h"
#include "scan/pages/file_names.h"
#include "scan/pages/merge.h"
#include "scan/pages/pdf_writer.h"
#include "support.h"

namespace {

using scantest::pageParam;

struct PageNameCase {
  long long pageNo;
  const char* extension;
  const char* expected;
};

class PageFileName : public testing::TestWithParam<PageNameCase> {};

TEST_P(PageFileName, PadsToFourDigitsAndNeverCuts) {
  const auto& c = GetParam();
  EXPECT_EQ(scan::pageFileName("/r/file", c.pageNo, c.extension), c.expected);
}

INSTANTIATE_TEST_SUITE_P(Numbers, PageFileName,
                         testing::Values(PageNameCase{1, "jpg", "/r/file-0001.jpg"},
                                         PageNameCase{12, "bmp", "/r/file-0012.bmp"},
                                         PageNameCase{9999, "jpg", "/r/file-9999.jpg"},
                                         PageNameCase{10000, "jpg", "/r/file-10000.jpg"},
                                         PageNameCase{12345, "jpg", "/r/file-12345.jpg"}));

TEST(PdfName, IsTheLocalTimeToTheSecondWithASuffixForATakenName) {
  // TZ is UTC for these tests.
  const auto time = std::chrono::system_clock::from_time_t(1709251199);  // 2024-02-29 23:59:59
  const std::string stamp = scan::timeStampName(time);
  EXPECT_EQ(stamp, "20240229235959");
  EXPECT_EQ(scan::pdfFileName("/save", stamp, 0), "/save/20240229235959.pdf");
  EXPECT_EQ(scan::pdfFileName("/save", stamp, 2), "/save/20240229235959-2.pdf");
}

TEST(BmpHeader, MatchesTheExampleA4PageByteForByte) {
  const auto param = pageParam("TEXT", "BMP", 2432, 3441, "NoCombine", 0, "/r/file");
  const auto header = scan::getBWBMPHeader(param);
  const std::vector<std::uint8_t> expected = {
      0x42, 0x4D, 0x6E, 0xF6, 0x0F, 0x00, 0, 0, 0, 0, 62, 0, 0, 0,  // file header
      40, 0, 0, 0, 0x80, 0x09, 0, 0, 0x71, 0x0D, 0, 0,              // size, width, height
      1, 0, 1, 0, 0, 0, 0, 0, 0x30, 0xF6, 0x0F, 0x00,               // planes, bits, none, image size
      0, 0, 0, 0, 0, 0, 0, 0, 2, 0, 0, 0, 0, 0, 0, 0,               // resolutions, colours
      0x00, 0x00, 0x00, 0x00, 0xFF, 0xFF, 0xFF, 0x00};              // palette: black, white
  EXPECT_EQ(header, expected);
  EXPECT_EQ(2432 / 8 * 3441 + 62, 1046126);
}

TEST(BmpHeader, IdCardPageHasHalfTheRowsTheScanAsksFor) {
  const auto param = pageParam("TEXT", "BMP", 2432, 3441, "IDCard", 0, "/r/file");
  const auto header = scan::getBWBMPHeader(param);
  ASSERT_EQ(header.size(), 62u);
  EXPECT_EQ(scan::readLE32(header, 22), 1720u);
}

TEST(BmpHeader, RowsOfAnyWidthAreWholeGroupsOfFourBytes) {
  EXPECT_EQ(scan::bwBmpRowStride(2432), 304u);  // scan widths: w / 8 exactly
  EXPECT_EQ(scan::bwBmpRowStride(3441), 432u);  // a landscape sheet of an A4 page
  EXPECT_EQ(scan::bwBmpRowStride(1), 4u);
  const auto header = scan::bwBmpHeader(3441, 2432);
  EXPECT_EQ(scan::readLE32(header, 2), 432u * 2432u + 62u);
  EXPECT_TRUE(scan::bwBmpHeader(0, 10).empty());
  EXPECT_TRUE(scan::bwBmpHeader(1LL << 32, 10).empty());
}

TEST(ByteArray, IsLeastSignificantFirstAndAsWideAsTheInteger) {
  EXPECT_EQ(scan::byteArray(std::uint32_t{0x0FF66E}), (std::array<std::uint8_t, 4>{0x6E, 0xF6, 0x0F, 0}));
  EXPECT_EQ(scan::byteArray(std::uint16_t{0x0102}), (std::array<std::uint8_t, 2>{0x02, 0x01}));
}

TEST(BmpRows, ShortRasterIsCompletedWithWhiteAndRowsAreStoredBottomUp) {
  // 32 x 3 page, only the first row and a half arrived.
  const std::vector<std::uint8_t> raster = {0x00, 0x01, 0x02, 0x03, 0x10, 0x11};
  const auto file = scan::withBWRows(scan::bwBmpHeader(32, 3), raster, 4);
  ASSERT_EQ(file.size(), 62u + 12u);
  const std::vector<std::uint8_t> rows(file.begin() + 62, file.end());
  EXPECT_EQ(rows, (std::vector<std::uint8_t>{0xFF, 0xFF, 0xFF, 0xFF,    // row 3: missing
                                             0x10, 0x11, 0xFF, 0xFF,    // row 2: half
                                             0x00, 0x01, 0x02, 0x03}));  // row 1 last
}

struct BoxCase {
  const char* pageSize;
  const char* combineType;
  int rotateAngle;
  scan::MediaBox expected;
};

class MediaBoxOf : public testing::TestWithParam<BoxCase> {};

TEST_P(MediaBoxOf, PageSizeInPointsLandscapeForQuarterTurnsAndSideBySideSheets) {
  const auto& c = GetParam();
  const auto param = pageParam("CGRAY", "PDF", 100, 100, c.combineType, c.rotateAngle, "/r/f");
  EXPECT_EQ(scan::mediaBox(c.pageSize, param), c.expected);
}

INSTANTIATE_TEST_SUITE_P(
    Sizes, MediaBoxOf,
    testing::Values(BoxCase{"A4", "NoCombine", 0, {595, 842}}, BoxCase{"A5", "NoCombine", 0, {420, 595}},
                    BoxCase{"B5(JIS)", "NoCombine", 0, {514, 725}},
                    BoxCase{"Letter", "NoCombine", 0, {611, 791}},
                    BoxCase{"Legal", "NoCombine", 0, {595, 842}},
                    BoxCase{"Letter", "NoCombine", 90, {791, 611}},
                    BoxCase{"A4", "NoCombine", 180, {595, 842}},
                    BoxCase{"A5", "CombinHorizontal", 0, {595, 420}},
                    BoxCase{"A4", "CombinVertical", 0, {842, 595}},
                    BoxCase{"A4", "IDCard", 0, {595, 842}}));

TEST(MergeHalves, OddPageBelowEvenPageAboveOnAnUprightSheet) {
  const QSize sheet(100, 51);  // odd height: the top row stays white
  EXPECT_EQ(scan::halfRect(true, true, sheet), QRect(0, 26, 100, 25));
  EXPECT_EQ(scan::halfRect(true, false, sheet), QRect(0, 1, 100, 25));
}

TEST(MergeHalves, OddPageLeftEvenPageRightOnALandscapeSheet) {
  const QSize sheet(51, 100);
  EXPECT_EQ(scan::halfRect(false, true, sheet), QRect(0, 0, 25, 100));
  EXPECT_EQ(scan::halfRect(false, false, sheet), QRect(25, 0, 25, 100));
}

TEST(MergeSheet, IdCardIsUprightAndCombinModesLandscape) {
  const auto param = pageParam("CGRAY", "JPEG", 256, 363, "IDCard", 0, "/r/f");
  EXPECT_TRUE(scan::combineOriation("IDCard"));
  EXPECT_FALSE(scan::combineOriation("CombinHorizontal"));
  EXPECT_FALSE(scan::combineOriation("CombinVertical"));
  EXPECT_EQ(scan::sheetSize(true, param), QSize(256, 363));
  EXPECT_EQ(scan::sheetSize(false, param), QSize(363, 256));
}

}  // namespace
