// The dialog's choices turned into scan parameters.
#include <gtest/gtest.h>

#include "scanner/picker_options.h"
#include "scanner/choices_to_scan_param.h"

namespace {

struct AreaCase {
  const char* pageSize;
  scan::ScanArea dpi200, dpi200Text, dpi300, dpi600, dpi1200;
};

class ScanAreaTable : public ::testing::TestWithParam<AreaCase> {};

TEST_P(ScanAreaTable, MatchesTheDotsOfEveryResolution) {
  const AreaCase& c = GetParam();
  EXPECT_EQ(scan::scanArea(c.pageSize, "200dpi", "CGRAY"), c.dpi200);
  EXPECT_EQ(scan::scanArea(c.pageSize, "200dpi", "TEXT"), c.dpi200Text);
  EXPECT_EQ(scan::scanArea(c.pageSize, "300dpi", "TEXT"), c.dpi300);
  EXPECT_EQ(scan::scanArea(c.pageSize, "600dpi", "GRAY256"), c.dpi600);
  EXPECT_EQ(scan::scanArea(c.pageSize, "1200dpi", "CGRAY"), c.dpi1200);
  EXPECT_EQ(scan::scanArea(c.pageSize, "75dpi", "CGRAY"), c.dpi200);
}

INSTANTIATE_TEST_SUITE_P(
    Table, ScanAreaTable,
    ::testing::Values(
        AreaCase{"A4", {1621, 2294}, {1632, 2294}, {2432, 3441}, {4864, 6882}, {9728, 13764}},
        AreaCase{"Tabloid", {1621, 2294}, {1632, 2294}, {2432, 3441}, {4864, 6882}, {9728, 13764}},
        AreaCase{"A5", {1152, 1622}, {1632, 1622}, {1728, 2433}, {3456, 4866}, {6912, 9732}},
        AreaCase{"B5(JIS)", {1408, 1986}, {1632, 1986}, {2112, 2979}, {4224, 5958}, {8448, 11916}},
        AreaCase{"Letter", {1685, 2156}, {1632, 2156}, {2528, 3234}, {5056, 6468}, {10112, 12936}}),
    [](const auto& row) {
      std::string name = row.param.pageSize;
      std::erase_if(name, [](char c) { return !std::isalnum(static_cast<unsigned char>(c)); });
      return name;
    });

TEST(SetScanParameter, DialogDefaultsGiveA4At200DpiColourJpeg) {
  scan::UIParams ui;
  ui.savePrefix = ui.saveFileName = "file";
  const scan::ScanParam p = scan::setScanParameter(ui, "/r");
  EXPECT_EQ(p.source, "AUTO");
  EXPECT_EQ(p.resolution, "200,200");
  EXPECT_EQ(p.mode, "CGRAY");
  EXPECT_EQ(p.type, "AUTO");
  EXPECT_EQ(p.compression, "JPEG");
  EXPECT_EQ(p.compressRatio, "MID");
  EXPECT_EQ(p.brightness, "50");
  EXPECT_EQ(p.contrast, "50");
  EXPECT_EQ(p.x, 0);
  EXPECT_EQ(p.y, 0);
  EXPECT_EQ(p.w, 1621);
  EXPECT_EQ(p.h, 2294);
  EXPECT_EQ(p.duplex, "SIN");
  EXPECT_EQ(p.gamma, 1);
  EXPECT_EQ(p.combineType, "NoCombine");
  EXPECT_EQ(p.filePath, "/r/file");
  EXPECT_EQ(p.fileType, "JPEG");
  EXPECT_EQ(p.rotateAngle, 0);
}

struct OutputCase {
  std::int64_t colorModeIndex;
  std::int64_t saveTypeIndex;
  const char* compression;
  const char* fileType;
};

class OutputTable : public ::testing::TestWithParam<OutputCase> {};

TEST_P(OutputTable, CompressionAndFileTypeFollowModeAndSaveType) {
  scan::UIParams ui;
  ui.colorModeIndex = GetParam().colorModeIndex;
  ui.saveTypeIndex = GetParam().saveTypeIndex;
  const scan::ScanParam p = scan::setScanParameter(ui, "/r");
  EXPECT_EQ(p.compression, GetParam().compression);
  EXPECT_EQ(p.fileType, GetParam().fileType);
}

INSTANTIATE_TEST_SUITE_P(Table, OutputTable,
                         ::testing::Values(OutputCase{0, 0, "JPEG", "JPEG"}, OutputCase{0, 1, "JPEG", "PDF"},
                                           OutputCase{1, 0, "JPEG", "JPEG"}, OutputCase{1, 1, "JPEG", "PDF"},
                                           OutputCase{2, 0, "BMP", "BMP"}, OutputCase{2, 1, "BMP", "PDF"},
                                           OutputCase{2, 7, "BMP", "PDF"}));

TEST(SetScanParameter, CopiesSourceContentCombineAndRotation) {
  scan::UIParams ui;
  ui.colorModeIndex = 1;
  ui.resolutionIndex = 3;
  ui.pageSizeIndex = 2;
  ui.saveTypeIndex = 1;
  ui.scanSourceIndex = 2;
  ui.contentTypeIndex = 2;
  ui.rotateAngleIndex = 2;
  ui.combineTypeIndex = 3;
  ui.saveFileName = "scan";
  const scan::ScanParam p = scan::setScanParameter(ui, "/home/u/20240102030405");
  EXPECT_EQ(p.resolution, "1200,1200");
  EXPECT_EQ(p.w, 8448);
  EXPECT_EQ(p.h, 11916);
  EXPECT_EQ(p.fileType, "PDF");
  EXPECT_EQ(p.source, "FB");
  EXPECT_EQ(p.type, "TYPE");
  EXPECT_EQ(p.rotateAngle, 180);
  // IDCard keeps the full height here; the X command halves it.
  EXPECT_EQ(p.combineType, "IDCard");
  EXPECT_EQ(p.filePath, "/home/u/20240102030405/scan");
}

TEST(SetScanParameter, IndexesOutsideTheirListsFallBackToTheFirstEntry) {
  scan::UIParams ui;
  ui.scanSourceIndex = -1;
  ui.colorModeIndex = 3;
  ui.resolutionIndex = 99;
  ui.pageSizeIndex = -7;
  ui.contentTypeIndex = 3;
  ui.rotateAngleIndex = 3;
  ui.combineTypeIndex = INT64_MAX;
  const scan::ScanParam p = scan::setScanParameter(ui, "/r");
  EXPECT_EQ(p.source, "AUTO");
  EXPECT_EQ(p.mode, "CGRAY");
  EXPECT_EQ(p.resolution, "200,200");
  EXPECT_EQ(p.w, 1621);
  EXPECT_EQ(p.type, "AUTO");
  EXPECT_EQ(p.rotateAngle, 0);
  EXPECT_EQ(p.combineType, "NoCombine");
}

}  // namespace
