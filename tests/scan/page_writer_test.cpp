// The page writers against independent readers (Qt's decoders, ImageMagick).
#include <gtest/gtest.h>

#include <QImage>
#include <QBuffer>
#include <QImageReader>
#include <fstream>
#include <numeric>

#include "scan/pages/image_rotate.h"
#include "scan/pages/page_writer.h"
#include "scan/scan_param.h"
#include "support.h"

namespace {

using namespace scantest;

constexpr int kW = 256;  // a multiple of 32, as every 1-bit scan width
constexpr int kH = 363;  // odd, like 3441

QImage loadWithQt(const std::filesystem::path& file) { return QImage(QString::fromStdString(file.string())); }

TEST(BmpPage, ExampleA4PageIsStoredBottomRowFirstAtItsExactSize) {
  TempDir dir;
  const auto param = pageParam("TEXT", "BMP", 2432, 3441, "NoCombine", 0, dir.str() + "/file");
  std::vector<std::uint8_t> raster(304u * 3441u);
  std::iota(raster.begin(), raster.end(), std::uint8_t{7});
  EXPECT_EQ(scan::saveImages(param, 1, raster), scan::saveSucceeded());
  const auto file = fileBytes(dir.path() / "file-0001.bmp");
  ASSERT_EQ(file.size(), 1046126u);
  EXPECT_TRUE(std::equal(file.begin() + 62, file.begin() + 62 + 304, raster.end() - 304));
  EXPECT_TRUE(std::equal(file.end() - 304, file.end(), raster.begin()));
  EXPECT_EQ(fileNames(dir.path()), std::vector<std::string>{"file-0001.bmp"});
}

TEST(BmpPage, ReadsUprightInQtAndImageMagick) {
  TempDir dir;
  const auto param = pageParam("TEXT", "BMP", kW, kH, "NoCombine", 90, dir.str() + "/file");
  ASSERT_TRUE(scan::saveImages(param, 3, textRaster(pageGrid(3), kW, kH)).status);
  const auto path = dir.path() / "file-0003.bmp";
  for (const QImage& read : {loadWithQt(path), readWithImageMagick(path)}) {
    ASSERT_EQ(read.size(), QSize(kW, kH));
    // BMP pages are stored as scanned: the rotation setting is not applied.
    EXPECT_TRUE(showsGrid(read, read.rect(), pageGrid(3), 0)) << describeCells(read, read.rect());
  }
}

TEST(BmpPage, ShortRasterIsCompletedWithWhite) {
  TempDir dir;
  const auto param = pageParam("TEXT", "BMP", kW, kH, "NoCombine", 0, dir.str() + "/file");
  auto raster = textRaster(pageGrid(7), kW, kH);
  raster.resize(raster.size() * 7 / 10);  // the bottom of the page is missing
  ASSERT_EQ(scan::saveImages(param, 1, raster), scan::saveSucceeded());
  const auto read = readWithImageMagick(dir.path() / "file-0001.bmp");
  ASSERT_EQ(read.size(), QSize(kW, kH));
  Grid expected = pageGrid(7);
  expected[2] = {255, 255, 255};
  EXPECT_TRUE(showsGrid(read, read.rect(), expected, 0)) << describeCells(read, read.rect());
}

// A 1200 dpi page is far above Qt's default decode limit; here a limit of
// 1 MiB stands for it against a 1024 x 1024 page, which Qt counts as 4 MiB.
TEST(BmpPage, PageAboveQtsDecodeLimitStillBecomesAJpeg) {
  const int previousLimit = QImageReader::allocationLimit();
  QImageReader::setAllocationLimit(1);
  TempDir dir;
  const auto param = pageParam("TEXT", "PDF", 1024, 1024, "NoCombine", 0, dir.str() + "/file");
  const auto result = scan::saveImages(param, 1, textRaster(pageGrid(2), 1024, 1024));
  // Raised for that one decode only.
  EXPECT_EQ(QImageReader::allocationLimit(), 1);
  QImageReader::setAllocationLimit(previousLimit);
  ASSERT_EQ(result, scan::saveSucceeded());
  const QImage out = loadWithQt(dir.path() / "file-0001.jpg");
  ASSERT_EQ(out.size(), QSize(1024, 1024));
  EXPECT_TRUE(showsGrid(out, out.rect(), pageGrid(2))) << describeCells(out, out.rect());
}

// A page end with no data is no page, in mode "TEXT" as in the JPEG modes.
class EmptyTextPage : public testing::TestWithParam<const char*> {};

TEST_P(EmptyTextPage, FailsWithSaveImageErrorAndLeavesNoFile) {
  TempDir dir;
  const auto param = pageParam("TEXT", GetParam(), 1632, 2294, "NoCombine", 0, dir.str() + "/file");
  testing::internal::CaptureStdout();
  const auto result = scan::saveImages(param, 1, {});
  const std::string log = testing::internal::GetCapturedStdout();
  EXPECT_EQ(result, scan::saveFailed());
  EXPECT_NE(log.find("save image error = page 1 holds no data"), std::string::npos) << log;
  EXPECT_TRUE(fileNames(dir.path()).empty());
}

INSTANTIATE_TEST_SUITE_P(FileTypes, EmptyTextPage, testing::Values("BMP", "PDF"));

struct TurnCase {
  const char* name;
  const char* combineType;
  int rotateAngle;
  bool turnedQuarter;
  bool upsideDown;
  bool shrunk;
};

struct ModeCase {
  const char* mode;
  bool colour;
};

class JpegPage : public testing::TestWithParam<std::tuple<ModeCase, TurnCase>> {};

TEST_P(JpegPage, IsTurnedAndScaledAsTheSettingsAsk) {
  const auto& [mode, turn] = GetParam();
  TempDir dir;
  const auto param = pageParam(mode.mode, "PDF", kW, kH, turn.combineType, turn.rotateAngle, dir.str() + "/file");
  const int rows = static_cast<int>(scan::pageRows(param));
  const Grid grid = pageGrid(5);
  std::vector<std::uint8_t> data;
  if (std::string(mode.mode) == "TEXT") {
    data = textRaster(grid, kW, rows);
  } else {
    data = jpegBytes(drawGrid(grid, QSize(kW, rows),
                              mode.colour ? QImage::Format_RGB888 : QImage::Format_Grayscale8));
  }
  ASSERT_EQ(scan::saveImages(param, 1, data), scan::saveSucceeded());

  EXPECT_EQ(fileNames(dir.path()), std::vector<std::string>{"file-0001.jpg"});
  const QImage out = loadWithQt(dir.path() / "file-0001.jpg");
  QSize expectedSize(kW, rows);
  if (turn.shrunk) expectedSize = QSize(static_cast<int>(kW * 0.7), static_cast<int>(rows * 0.7));
  if (turn.turnedQuarter) expectedSize.transpose();
  ASSERT_EQ(out.size(), expectedSize);
  Grid expected = grid;
  if (turn.turnedQuarter) expected = turnedCounterClockwise(expected);
  if (turn.upsideDown) expected = turnedUpsideDown(expected);
  EXPECT_TRUE(showsGrid(out, out.rect(), expected)) << describeCells(out, out.rect());
  EXPECT_EQ(out.isGrayscale(), !mode.colour);
  if (mode.colour) {
    const QColor centre = out.pixelColor(out.rect().center());
    EXPECT_GT(centre.blue(), centre.red() + 80);
  }
}

INSTANTIATE_TEST_SUITE_P(
    Settings, JpegPage,
    testing::Combine(
        testing::Values(ModeCase{"CGRAY", true}, ModeCase{"GRAY256", false}, ModeCase{"TEXT", false}),
        testing::Values(TurnCase{"Kept", "NoCombine", 0, false, false, false},
                        TurnCase{"QuarterTurnCounterClockwise", "NoCombine", 90, true, false, false},
                        TurnCase{"UpsideDown", "NoCombine", 180, false, true, false},
                        TurnCase{"IdCardHalfPageTurned", "IDCard", 90, true, false, false},
                        TurnCase{"HorizontalShrunkNotTurned", "CombinHorizontal", 90, false, false, true},
                        TurnCase{"VerticalShrunkUpsideDown", "CombinVertical", 0, false, true, true})),
    [](const auto& test) {
      return std::string(std::get<0>(test.param).mode) + "_" + std::get<1>(test.param).name;
    });

struct BadPageCase {
  const char* name;
  const char* mode;
  const char* fileType;
  int w;
  int h;
  std::vector<std::uint8_t> data;
};

class UndecodablePage : public testing::TestWithParam<BadPageCase> {};

TEST_P(UndecodablePage, FailsWithSaveImageErrorAndLeavesNoFile) {
  const auto& c = GetParam();
  TempDir dir;
  const auto param = pageParam(c.mode, c.fileType, c.w, c.h, "NoCombine", 0, dir.str() + "/file");
  testing::internal::CaptureStdout();
  const auto result = scan::saveImages(param, 1, c.data);
  const std::string log = testing::internal::GetCapturedStdout();
  EXPECT_EQ(result, scan::saveFailed());
  EXPECT_NE(log.find("save image error = "), std::string::npos) << log;
  EXPECT_TRUE(fileNames(dir.path()).empty());
}

std::vector<std::uint8_t> truncatedJpeg() {
  auto bytes = jpegBytes(drawGrid(pageGrid(1), QSize(kW, kH), QImage::Format_Grayscale8));
  bytes.resize(bytes.size() / 2);
  return bytes;
}

INSTANTIATE_TEST_SUITE_P(
    Pages, UndecodablePage,
    testing::Values(BadPageCase{"Garbage", "CGRAY", "JPEG", kW, kH, {1, 2, 3, 4, 5, 6, 7, 8}},
                    BadPageCase{"Empty", "GRAY256", "JPEG", kW, kH, {}},
                    BadPageCase{"TruncatedJpeg", "GRAY256", "PDF", kW, kH, truncatedJpeg()},
                    BadPageCase{"TextPageOfNoWidth", "TEXT", "BMP", 0, kH, {0xFF, 0xFF}},
                    BadPageCase{"TextPageOfNoWidthToJpeg", "TEXT", "PDF", 0, kH, {0xFF, 0xFF}},
                    BadPageCase{"TextPageOfNegativeHeight", "TEXT", "BMP", kW, -kH, {0xFF, 0xFF}},
                    // Sizes no scan has: a few bytes must not become a page of megabytes.
                    BadPageCase{"TextPageWiderThanAnyScan", "TEXT", "BMP", 1 << 20, kH, {0xFF, 0xFF}},
                    BadPageCase{"TextPageLongerThanAnyScanToJpeg", "TEXT", "PDF", kW, 60000, {0xFF, 0xFF}}),
    [](const auto& test) { return std::string(test.param.name); });

class UnwritableFolder : public testing::TestWithParam<const char*> {};

TEST_P(UnwritableFolder, ReportsSaveImageErrorWithALogLine) {
  TempDir dir;
  std::ofstream(dir.path() / "plainfile") << "x";
  const std::string mode = GetParam();
  const auto param = pageParam(mode, mode == "TEXT" ? "BMP" : "JPEG", kW, kH, "NoCombine", 0,
                               dir.str() + "/plainfile/file");
  const auto data = mode == "TEXT" ? textRaster(pageGrid(1), kW, kH)
                                   : jpegBytes(drawGrid(pageGrid(1), QSize(kW, kH), QImage::Format_RGB888));
  testing::internal::CaptureStdout();
  const auto result = scan::saveImages(param, 1, data);
  const std::string log = testing::internal::GetCapturedStdout();
  EXPECT_EQ(result, scan::saveFailed());
  EXPECT_NE(log.find("save image error = "), std::string::npos) << log;
}

INSTANTIATE_TEST_SUITE_P(Modes, UnwritableFolder, testing::Values("CGRAY", "TEXT"));

TEST(JpegPage, WritingAPageAgainReplacesItWithoutLeftovers) {
  TempDir dir;
  const auto param = pageParam("GRAY256", "JPEG", kW, kH, "NoCombine", 0, dir.str() + "/file");
  const auto grey = [](int page) {
    return jpegBytes(drawGrid(pageGrid(page), QSize(kW, kH), QImage::Format_Grayscale8));
  };
  ASSERT_TRUE(scan::saveImages(param, 1, grey(1)).status);
  ASSERT_TRUE(scan::saveImages(param, 1, grey(6)).status);
  EXPECT_EQ(fileNames(dir.path()), std::vector<std::string>{"file-0001.jpg"});
  const QImage out = loadWithQt(dir.path() / "file-0001.jpg");
  EXPECT_TRUE(showsGrid(out, out.rect(), pageGrid(6))) << describeCells(out, out.rect());
}

}  // namespace

namespace {

using namespace scantest;

TEST(ImageRotate, TurnsA1BitPictureCounterClockwiseThroughGrey) {
  QImage mono = drawGrid(pageGrid(6), QSize(160, 96), QImage::Format_Grayscale8)
                    .convertToFormat(QImage::Format_Mono, Qt::ThresholdDither);
  const auto turned = scan::imageRotate(90, mono, 1.0);
  ASSERT_TRUE(turned.has_value());
  EXPECT_EQ(turned->format(), QImage::Format_Grayscale8);
  ASSERT_EQ(turned->size(), QSize(96, 160));
  EXPECT_TRUE(showsGrid(*turned, turned->rect(), turnedCounterClockwise(pageGrid(6)), 0))
      << describeCells(*turned, turned->rect());
}

TEST(ImageRotate, ScalesEachSideByTheRatioTruncated) {
  const QImage grey = drawGrid(pageGrid(1), QSize(256, 363), QImage::Format_Grayscale8);
  const auto scaled = scan::imageRotate(180, grey, 0.7);
  ASSERT_TRUE(scaled.has_value());
  EXPECT_EQ(scaled->size(), QSize(179, 254));
  EXPECT_TRUE(showsGrid(*scaled, scaled->rect(), turnedUpsideDown(pageGrid(1)))) << describeCells(*scaled, scaled->rect());
  EXPECT_FALSE(scan::imageRotate(90, QImage(), 1.0).has_value());
}

}  // namespace

namespace {

using namespace scantest;

struct DeclaredSizeCase {
  const char* name;
  int width;
  int height;
  bool saved;
};

class DeclaredPageSize : public testing::TestWithParam<DeclaredSizeCase> {};

// The header's size is checked before anything is allocated for it: the
// picture behind each header is the same small one.
TEST_P(DeclaredPageSize, AboveTheScanAreaFailsUndecoded) {
  const auto& c = GetParam();
  TempDir dir;
  const auto param = pageParam("GRAY256", "JPEG", 64, 48, "NoCombine", 0, dir.str() + "/file");
  const auto picture = jpegBytes(drawGrid(pageGrid(1), QSize(64, 48), QImage::Format_Grayscale8));
  testing::internal::CaptureStdout();
  const auto result = scan::saveImages(param, 1, withDeclaredSize(picture, c.width, c.height));
  const std::string log = testing::internal::GetCapturedStdout();
  if (c.saved) {
    // Not refused for its size (the short data then fails or passes the decoder).
    EXPECT_EQ(log.find("pixels for a scan of"), std::string::npos) << log;
  } else {
    EXPECT_EQ(result, scan::saveFailed());
    EXPECT_NE(log.find("save image error = a page of " + std::to_string(c.width) + " x " +
                       std::to_string(c.height) + " pixels for a scan of 64 x 48"),
              std::string::npos)
        << log;
    EXPECT_TRUE(fileNames(dir.path()).empty());
  }
}

// In the JPEG modes a page of any format that declares five times the scan
// area is refused before it is decoded, and Qt's process-wide allocation
// limit is left as it was.
std::vector<std::uint8_t> encoded(const QImage& image, const char* format) {
  QByteArray bytes;
  QBuffer buffer(&bytes);
  buffer.open(QIODevice::WriteOnly);
  EXPECT_TRUE(image.save(&buffer, format));
  return {bytes.begin(), bytes.end()};
}

class FiveTimesTheScanArea : public testing::TestWithParam<const char*> {};

TEST_P(FiveTimesTheScanArea, IsRefusedWhateverItsFormat) {
  constexpr int kSide = 2237;  // 2237^2 is five times 1000 x 1000
  std::vector<std::uint8_t> page;
  const std::string format = GetParam();
  if (format == "JPEG") {
    page = withDeclaredSize(jpegBytes(drawGrid(pageGrid(1), QSize(64, 48), QImage::Format_Grayscale8)), kSide, kSide);
  } else {
    // A whole picture of that size, which a decoder would take.
    QImage image(kSide, kSide, format == "BMP" ? QImage::Format_Mono : QImage::Format_Grayscale8);
    image.fill(1);
    page = encoded(image, format.c_str());
  }
  const int limit = QImageReader::allocationLimit();
  TempDir dir;
  const auto param = pageParam("GRAY256", "JPEG", 1000, 1000, "NoCombine", 0, dir.str() + "/file");
  testing::internal::CaptureStdout();
  const auto result = scan::saveImages(param, 1, page);
  const std::string log = testing::internal::GetCapturedStdout();
  EXPECT_EQ(result, scan::saveFailed());
  EXPECT_NE(log.find("save image error = a page of 2237 x 2237 pixels for a scan of 1000 x 1000"), std::string::npos)
      << log;
  EXPECT_EQ(log.find("pixelsWide"), std::string::npos) << log;
  EXPECT_TRUE(fileNames(dir.path()).empty());
  EXPECT_EQ(QImageReader::allocationLimit(), limit);
}

INSTANTIATE_TEST_SUITE_P(Formats, FiveTimesTheScanArea, testing::Values("BMP", "PNG", "JPEG"));

INSTANTIATE_TEST_SUITE_P(Pages, DeclaredPageSize,
                         testing::Values(DeclaredSizeCase{"ClaimsFourGigabytes", 65000, 65000, false},
                                         DeclaredSizeCase{"ClaimsAThirtyThousandSquare", 30000, 30000, false},
                                         DeclaredSizeCase{"TooWide", 64 + 4 + 65, 48, false},
                                         DeclaredSizeCase{"TooLong", 64, 48 + 3 + 65, false},
                                         DeclaredSizeCase{"WithinTheMargin", 64 + 4 + 64, 48 + 3 + 64, true},
                                         DeclaredSizeCase{"AsAsked", 64, 48, true}),
                         [](const auto& test) { return std::string(test.param.name); });

}  // namespace
