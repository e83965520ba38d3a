// Merging page files two to a sheet, read back by Qt (JPEG) and ImageMagick (BMP).
#include <gtest/gtest.h>

#include <fstream>
#include <map>

#include "scan/pages/merge.h"
#include "scan/pages/page_writer.h"
#include "support.h"

namespace {

using namespace scantest;

constexpr int kW = 256;
constexpr int kH = 363;

struct PageKind {
  const char* name;
  const char* mode;
  const char* fileType;
  const char* extension;
};

constexpr PageKind kGreyJpeg{"GreyJpeg", "GRAY256", "JPEG", "jpg"};
constexpr PageKind kColourJpeg{"ColourJpeg", "CGRAY", "PDF", "jpg"};
constexpr PageKind kTextBmp{"TextBmp", "TEXT", "BMP", "bmp"};

std::string pageName(int n, const char* extension) {
  char name[32];
  std::snprintf(name, sizeof name, "file-%04d.%s", n, extension);
  return name;
}

// Scans `count` pages into the folder through the page writer.
void scanPages(const scan::ScanParam& param, const PageKind& kind, int count) {
  const int rows = static_cast<int>(scan::pageRows(param));
  for (int page = 1; page <= count; ++page) {
    std::vector<std::uint8_t> data;
    if (std::string(kind.mode) == "TEXT") {
      data = textRaster(pageGrid(page), kW, rows);
    } else {
      const auto format = std::string(kind.mode) == "CGRAY" ? QImage::Format_RGB888 : QImage::Format_Grayscale8;
      data = jpegBytes(drawGrid(pageGrid(page), QSize(kW, rows), format));
    }
    ASSERT_TRUE(scan::saveImages(param, page, data).status) << "page " << page;
  }
}

std::map<std::string, std::vector<std::uint8_t>> snapshot(const std::filesystem::path& folder) {
  std::map<std::string, std::vector<std::uint8_t>> files;
  for (const auto& name : fileNames(folder)) files[name] = fileBytes(folder / name);
  return files;
}

// As the sheet is viewed: an upright sheet has the odd page in its lower half,
// the even page above it; a landscape sheet the odd page left, the even right.
QRect halfOf(const QSize sheet, bool upright, bool oddPage) {
  const int w = sheet.width(), h = sheet.height();
  if (upright) return oddPage ? QRect(0, h - h / 2, w, h / 2) : QRect(0, 0, w, h / 2);
  return oddPage ? QRect(0, 0, w / 2, h) : QRect(w - w / 2, 0, w / 2, h);
}

QImage readSheet(const std::filesystem::path& file, const PageKind& kind) {
  if (std::string(kind.extension) == "bmp") return readWithImageMagick(file);
  return QImage(QString::fromStdString(file.string()));
}

class Merge : public testing::TestWithParam<std::tuple<int, const char*, PageKind>> {};

TEST_P(Merge, PutsPagesTwoToASheetInTheirHalvesAndReplacesThem) {
  const auto& [count, combineType, kind] = GetParam();
  TempDir dir;
  const auto param = pageParam(kind.mode, kind.fileType, kW, kH, combineType, 0, dir.str() + "/file");
  scanPages(param, kind, count);
  const bool oriation = scan::combineOriation(combineType);

  ASSERT_EQ(scan::combineImage(count, oriation, param), scan::saveSucceeded());

  const int sheets = (count + 1) / 2;
  std::vector<std::string> expectedNames;
  for (int k = 1; k <= sheets; ++k) expectedNames.push_back(pageName(k, kind.extension));
  ASSERT_EQ(fileNames(dir.path()), expectedNames);

  // IDCard pages are half pages: upright sheet; the others lie side by side.
  const QSize size = std::string(combineType) == scan::kIDCard ? QSize(kW, kH) : QSize(kH, kW);
  const bool upsideDown = std::string(combineType) == scan::kCombinVertical;
  for (int k = 1; k <= sheets; ++k) {
    const QImage sheet = readSheet(dir.path() / pageName(k, kind.extension), kind);
    ASSERT_EQ(sheet.size(), size) << "sheet " << k;
    for (const int page : {2 * k - 1, 2 * k}) {
      Grid expected{};
      for (auto& row : expected) row.fill(255);  // no even page: that half stays white
      if (page <= count) expected = upsideDown ? turnedUpsideDown(pageGrid(page)) : pageGrid(page);
      const QRect half = halfOf(size, std::string(combineType) == scan::kIDCard, page % 2 == 1);
      EXPECT_TRUE(showsGrid(sheet, half, expected))
          << "sheet " << k << " page " << page << ": " << describeCells(sheet, half);
    }
  }
}

INSTANTIATE_TEST_SUITE_P(
    CountsModesAndPages, Merge,
    testing::Combine(testing::Values(1, 2, 3, 5),
                     testing::Values(scan::kCombinHorizontal, scan::kCombinVertical, scan::kIDCard),
                     testing::Values(kGreyJpeg, kTextBmp, kColourJpeg)),
    [](const auto& test) {
      return std::string(std::get<1>(test.param)) + "_" + std::get<2>(test.param).name + "_" +
             std::to_string(std::get<0>(test.param)) + "pages";
    });

TEST(MergeFailure, NoFirstPageLogsAndFails) {
  TempDir dir;
  const auto param = pageParam("GRAY256", "JPEG", kW, kH, "IDCard", 0, dir.str() + "/file");
  testing::internal::CaptureStdout();
  const auto result = scan::combineImage(1, true, param);
  const std::string log = testing::internal::GetCapturedStdout();
  EXPECT_EQ(result, scan::saveFailed());
  EXPECT_NE(log.find("comImage to cgImage error"), std::string::npos) << log;
  EXPECT_TRUE(fileNames(dir.path()).empty());
}

struct SpoiltCase {
  const char* name;
  PageKind kind;
  int claimed;  // pages handed to the merge; 4 are on disk
  int spoilt;   // page made undecodable, 0 for none
  std::size_t keptBytes;
};

class MergeFailure : public testing::TestWithParam<SpoiltCase> {};

TEST_P(MergeFailure, LeavesEveryPageAsItWasAndNoSheet) {
  const auto& c = GetParam();
  TempDir dir;
  const auto param = pageParam(c.kind.mode, c.kind.fileType, kW, kH, "CombinHorizontal", 0, dir.str() + "/file");
  scanPages(param, c.kind, 4);
  if (c.spoilt > 0) {
    const auto path = dir.path() / pageName(c.spoilt, c.kind.extension);
    auto bytes = fileBytes(path);
    bytes.resize(c.keptBytes);
    std::ofstream(path, std::ios::binary | std::ios::trunc)
        .write(reinterpret_cast<const char*>(bytes.data()), static_cast<std::streamsize>(bytes.size()));
  }
  const auto before = snapshot(dir.path());
  EXPECT_EQ(scan::combineImage(c.claimed, false, param), scan::saveFailed());
  EXPECT_EQ(snapshot(dir.path()), before);
}

INSTANTIATE_TEST_SUITE_P(
    Pages, MergeFailure,
    testing::Values(SpoiltCase{"ThirdJpegIsNoPicture", kGreyJpeg, 4, 3, 10},
                    SpoiltCase{"ThirdJpegIsTruncated", kGreyJpeg, 4, 3, 600},
                    SpoiltCase{"FourthBmpIsTruncated", kTextBmp, 4, 4, 2000},
                    SpoiltCase{"FifthPageIsMissing", kGreyJpeg, 5, 0, 0},
                    SpoiltCase{"NoPagesClaimed", kGreyJpeg, 0, 0, 0}),
    [](const auto& test) { return std::string(test.param.name); });

struct SheetSizeCase {
  const char* name;
  std::int64_t w;
  std::int64_t h;
};

class MergeOfNoSheetSize : public testing::TestWithParam<SheetSizeCase> {};

TEST_P(MergeOfNoSheetSize, FailsAndLeavesThePages) {
  const auto& c = GetParam();
  TempDir dir;
  auto param = pageParam("GRAY256", "JPEG", kW, kH, "CombinHorizontal", 0, dir.str() + "/file");
  scanPages(param, kGreyJpeg, 2);
  const auto before = snapshot(dir.path());
  param.w = c.w;
  param.h = c.h;
  EXPECT_EQ(scan::combineImage(2, false, param), scan::saveFailed());
  EXPECT_EQ(snapshot(dir.path()), before);
}

INSTANTIATE_TEST_SUITE_P(
    Sizes, MergeOfNoSheetSize,
    testing::Values(SheetSizeCase{"NoWidth", 0, kH}, SheetSizeCase{"NegativeHeight", kW, -kH},
                    // Held in an int this would wrap round to a small, wrong sheet.
                    SheetSizeCase{"WidthBeyond32Bits", (std::int64_t{1} << 32) + kW, kH},
                    SheetSizeCase{"LongerThanAnyScan", kW, 60000}),
    [](const auto& test) { return std::string(test.param.name); });

}  // namespace
