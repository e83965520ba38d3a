// The PDF step checked with poppler's tools.
#include <gtest/gtest.h>

#include <clocale>
#include <fstream>
#include <regex>
#include <sstream>

#include "scan/pages/file_names.h"
#include "scan/pages/merge.h"
#include "scan/pages/page_writer.h"
#include "scan/pages/pdf_writer.h"
#include "support.h"

namespace {

using namespace scantest;

constexpr int kW = 256;
constexpr int kH = 363;

const auto kFixedTime = std::chrono::system_clock::from_time_t(1717243200);  // 2024-06-01 12:00:00 UTC
const scan::Clock kFixedClock = [] { return kFixedTime; };
const std::string kStamp = "20240601120000";

void scanPages(const scan::ScanParam& param, int count, bool colour) {
  for (int page = 1; page <= count; ++page) {
    const auto picture = drawGrid(pageGrid(page), QSize(kW, kH),
                                  colour ? QImage::Format_RGB888 : QImage::Format_Grayscale8);
    ASSERT_TRUE(scan::saveImages(param, page, jpegBytes(picture)).status);
  }
}

std::vector<std::pair<double, double>> mediaBoxes(const std::string& pdf, int pages) {
  const Run info = run("pdfinfo -box -f 1 -l " + std::to_string(std::max(pages, 1)) + " " + quoted(pdf));
  std::vector<std::pair<double, double>> boxes;
  const std::regex line(R"(Page +\d+ MediaBox: +0\.00 +0\.00 +([0-9.]+) +([0-9.]+))");
  for (std::sregex_iterator it(info.output.begin(), info.output.end(), line), end; it != end; ++it) {
    boxes.emplace_back(std::stod((*it)[1]), std::stod((*it)[2]));
  }
  return boxes;
}

int pageCount(const std::string& pdf) {
  const Run info = run("pdfinfo " + quoted(pdf));
  std::smatch m;
  if (info.status != 0 || !std::regex_search(info.output, m, std::regex(R"(Pages: +(\d+))"))) return -1;
  return std::stoi(m[1]);
}

struct ListedImage {
  int page, width, height;
  std::string colour, encoding;
};

std::vector<ListedImage> listedImages(const std::string& pdf) {
  const Run list = run("pdfimages -list " + quoted(pdf));
  std::istringstream in(list.output);
  std::string line;
  std::vector<ListedImage> images;
  while (std::getline(in, line)) {
    std::istringstream fields(line);
    ListedImage image;
    int num = 0;
    std::string type, comp, bpc;
    if (fields >> image.page >> num >> type >> image.width >> image.height >> image.colour >> comp >> bpc >>
        image.encoding) {
      images.push_back(image);
    }
  }
  return images;
}

struct PdfCase {
  const char* name;
  int pages;
  const char* pageSize;
  const char* combineType;
  int rotateAngle;
  bool colour;
  double boxWidth, boxHeight;
};

class PdfOutput : public testing::TestWithParam<PdfCase> {};

TEST_P(PdfOutput, EmbedsEachJpegFileUnchangedOnePagePerFileWithTheMediaBox) {
  const auto& c = GetParam();
  TempDir receive, save;
  const auto param = pageParam(c.colour ? "CGRAY" : "GRAY256", "PDF", kW, kH, c.combineType, c.rotateAngle,
                               receive.str() + "/file");
  scanPages(param, c.pages, c.colour);
  int files = c.pages;
  if (std::string(c.combineType) != scan::kNoCombine && c.pages > 0) {
    ASSERT_TRUE(scan::combineImage(c.pages, scan::combineOriation(c.combineType), param).status);
    files = (c.pages + 1) / 2;
  }

  ASSERT_EQ(scan::save2PDF(param, files, save.str(), c.pageSize, kFixedClock), scan::saveSucceeded());

  ASSERT_EQ(fileNames(save.path()), std::vector<std::string>{kStamp + ".pdf"});
  const std::string pdf = (save.path() / (kStamp + ".pdf")).string();
  ASSERT_EQ(pageCount(pdf), files);
  const auto boxes = mediaBoxes(pdf, files);
  ASSERT_EQ(static_cast<int>(boxes.size()), files);
  for (const auto& box : boxes) EXPECT_EQ(box, std::make_pair(c.boxWidth, c.boxHeight));

  const auto images = listedImages(pdf);
  ASSERT_EQ(static_cast<int>(images.size()), files);
  const auto extracted = save.path() / "x";
  ASSERT_EQ(run("pdfimages -j " + quoted(pdf) + " " + quoted(extracted.string())).status, 0);
  for (int i = 0; i < files; ++i) {
    const auto pageFile = scan::pageFileName(param.filePath, i + 1, "jpg");
    const QImage page(QString::fromStdString(pageFile));
    EXPECT_EQ(images[static_cast<std::size_t>(i)].page, i + 1);
    EXPECT_EQ(images[static_cast<std::size_t>(i)].encoding, "jpeg");
    EXPECT_EQ(images[static_cast<std::size_t>(i)].colour, c.colour ? "rgb" : "gray");
    EXPECT_EQ(images[static_cast<std::size_t>(i)].width, page.width());
    EXPECT_EQ(images[static_cast<std::size_t>(i)].height, page.height());
    char name[32];
    std::snprintf(name, sizeof name, "x-%03d.jpg", i);
    EXPECT_EQ(fileBytes(save.path() / name), fileBytes(pageFile)) << "page " << i + 1;
  }
}

INSTANTIATE_TEST_SUITE_P(
    Documents, PdfOutput,
    testing::Values(PdfCase{"ThreeGreyA4", 3, "A4", "NoCombine", 0, false, 595, 842},
                    PdfCase{"ColourLetterQuarterTurnIsLandscape", 2, "Letter", "NoCombine", 90, true, 791, 611},
                    PdfCase{"B5", 1, "B5(JIS)", "NoCombine", 180, false, 514, 725},
                    PdfCase{"UnknownSizeIsA4", 1, "Legal", "NoCombine", 0, false, 595, 842},
                    PdfCase{"FivePagesMergedSideBySideOnA5", 5, "A5", "CombinHorizontal", 0, false, 595, 420},
                    PdfCase{"IdCardsStayUpright", 3, "A4", "IDCard", 0, true, 595, 842}),
    [](const auto& test) { return std::string(test.param.name); });

TEST(PdfOutput, NoPagesStillGiveADocumentUnderTheTimeStampName) {
  TempDir receive, save;
  const auto param = pageParam("GRAY256", "PDF", kW, kH, "NoCombine", 0, receive.str() + "/file");
  ASSERT_EQ(scan::save2PDF(param, 0, save.str(), "A4", kFixedClock), scan::saveSucceeded());
  const auto bytes = fileBytes(save.path() / (kStamp + ".pdf"));
  const std::string text(bytes.begin(), bytes.end());
  EXPECT_EQ(text.rfind("%PDF-", 0), 0u);
  EXPECT_NE(text.find("/Count 0"), std::string::npos);
  // poppler names such a document for what it is.
  EXPECT_NE(run("pdfinfo " + quoted((save.path() / (kStamp + ".pdf")).string())).output.find("page count 0"),
            std::string::npos);
}

TEST(PdfOutput, MergedSheetShowsBothPagesInTheirHalves) {
  TempDir receive, save;
  const auto param = pageParam("GRAY256", "PDF", kW, kH, "CombinHorizontal", 0, receive.str() + "/file");
  scanPages(param, 2, false);
  ASSERT_TRUE(scan::combineImage(2, false, param).status);
  ASSERT_TRUE(scan::save2PDF(param, 1, save.str(), "A4", kFixedClock).status);
  const auto pdf = save.path() / (kStamp + ".pdf");
  ASSERT_EQ(run("pdftoppm -gray -r 40 " + quoted(pdf.string()) + " " + quoted((save.path() / "look").string())).status, 0);
  const QImage look = readPgm(save.path() / "look-1.pgm");
  ASSERT_FALSE(look.isNull());
  ASSERT_GT(look.width(), look.height());
  const int half = look.width() / 2;
  EXPECT_TRUE(showsGrid(look, QRect(0, 0, half, look.height()), pageGrid(1)))
      << describeCells(look, QRect(0, 0, half, look.height()));
  EXPECT_TRUE(showsGrid(look, QRect(half, 0, half, look.height()), pageGrid(2)))
      << describeCells(look, QRect(half, 0, half, look.height()));
}

TEST(PdfOutput, APdfOfTheSameSecondIsNeverOverwritten) {
  TempDir receive, save;
  const auto param = pageParam("GRAY256", "PDF", kW, kH, "NoCombine", 0, receive.str() + "/file");
  scanPages(param, 1, false);
  std::ofstream(save.path() / (kStamp + ".pdf")) << "an earlier scan";
  ASSERT_TRUE(scan::save2PDF(param, 1, save.str(), "A4", kFixedClock).status);
  ASSERT_TRUE(scan::save2PDF(param, 1, save.str(), "A4", kFixedClock).status);
  EXPECT_EQ(fileNames(save.path()),
            (std::vector<std::string>{kStamp + "-1.pdf", kStamp + "-2.pdf", kStamp + ".pdf"}));
  const auto earlier = fileBytes(save.path() / (kStamp + ".pdf"));
  EXPECT_EQ(std::string(earlier.begin(), earlier.end()), "an earlier scan");
  EXPECT_EQ(pageCount((save.path() / (kStamp + "-2.pdf")).string()), 1);
}

struct PdfFailureCase {
  const char* name;
  int pagesOnDisk;
  int pagesClaimed;
  bool saveFolderIsUnderAFile;
};

class PdfFailure : public testing::TestWithParam<PdfFailureCase> {};

TEST_P(PdfFailure, ReportsSaveImageErrorLeavesNoPdfAndKeepsThePages) {
  const auto& c = GetParam();
  TempDir receive, save;
  const auto param = pageParam("GRAY256", "PDF", kW, kH, "NoCombine", 0, receive.str() + "/file");
  scanPages(param, c.pagesOnDisk, false);
  const auto pagesBefore = fileNames(receive.path());
  std::string pdfDir = save.str();
  if (c.saveFolderIsUnderAFile) {
    std::ofstream(save.path() / "plainfile") << "x";
    pdfDir += "/plainfile";
  }
  testing::internal::CaptureStdout();
  const auto result = scan::save2PDF(param, c.pagesClaimed, pdfDir, "A4", kFixedClock);
  const std::string log = testing::internal::GetCapturedStdout();
  EXPECT_EQ(result, scan::saveFailed());
  EXPECT_NE(log.find("save pdf error = "), std::string::npos) << log;
  EXPECT_EQ(fileNames(save.path()),
            c.saveFolderIsUnderAFile ? std::vector<std::string>{"plainfile"} : std::vector<std::string>{});
  EXPECT_EQ(fileNames(receive.path()), pagesBefore);
}

INSTANTIATE_TEST_SUITE_P(Cases, PdfFailure,
                         testing::Values(PdfFailureCase{"SaveFolderNotWritable", 2, 2, true},
                                         PdfFailureCase{"PageFileMissing", 2, 3, false}),
                         [](const auto& test) { return std::string(test.param.name); });

// A Qt application runs with the user's locale; one with a decimal comma must
// not change a number in the PDF.
TEST(PdfLocale, DecimalCommaLocaleWritesAValidPdf) {
  const std::string previous = std::setlocale(LC_NUMERIC, nullptr);
  if (std::setlocale(LC_NUMERIC, "de_DE.UTF-8") == nullptr) {
    GTEST_SKIP() << "locale de_DE.UTF-8 not available (the scan_locale_de setup makes it from the "
                    "'locales' package)";
  }
  char number[16];
  std::snprintf(number, sizeof number, "%.1f", 0.5);
  TempDir receive, save;
  const auto param = pageParam("CGRAY", "PDF", kW, kH, "NoCombine", 90, receive.str() + "/file");
  scanPages(param, 2, true);
  const auto result = scan::save2PDF(param, 2, save.str(), "B5(JIS)", kFixedClock);
  std::setlocale(LC_NUMERIC, previous.c_str());
  ASSERT_STREQ(number, "0,5");
  ASSERT_TRUE(result.status);
  const std::string pdf = (save.path() / (kStamp + ".pdf")).string();
  EXPECT_EQ(pageCount(pdf), 2);
  EXPECT_EQ(mediaBoxes(pdf, 2), (std::vector<std::pair<double, double>>(2, {725, 514})));
  EXPECT_EQ(listedImages(pdf).size(), 2u);
  EXPECT_EQ(run("pdftoppm -r 10 " + quoted(pdf) + " " + quoted(save.str() + "/look")).status, 0);
}

}  // namespace
