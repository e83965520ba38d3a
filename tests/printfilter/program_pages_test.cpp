// Pages as the printer receives them: decoded with JBIG-KIT and compared bit
// for bit with the expected halftone.

#include <cctype>
#include <cstdlib>
#include <fstream>

#include "printfilter/fine_table.h"
#include "program_common.h"

namespace printfilter_test {
namespace {

using fixture::GreyPage;

// Every grey level, none of them in a regular pattern with the screen.
const GreyPage kGradient =
    fixture::drawnPage(64, 40, [](unsigned x, unsigned y) { return static_cast<std::uint8_t>((x * 5 + y * 3 + x * y) % 256); });

void expectPage(const jobstream::Bitmap& actual, const jobstream::Bitmap& expected) {
  EXPECT_EQ(fixture::difference(actual, expected), "");
}

TEST(PrintedPages, DarknessZeroIsTheFourByFourMatrix) {
  fixture::TempDir tmp;
  const GreyPage grey128 = fixture::uniformPage(40, 24, 128);
  const Printed p = print(queueCommand(tmp), {grey128, kGradient});
  ASSERT_EQ(p.pages.size(), 2U);
  expectPage(p.pages[0], fixture::matrixHalftone(grey128));
  expectPage(p.pages[1], fixture::matrixHalftone(kGradient));
  // Grey 128: rows 0 1 0 0 / 0 1 1 1 / 1 1 1 1 / 0 0 0 0 in every block.
  EXPECT_TRUE(p.pages[0].black(1, 0));
  EXPECT_FALSE(p.pages[0].black(0, 0));
  EXPECT_FALSE(p.pages[0].black(2, 3));
  EXPECT_EQ(p.run.exitCode, 0);
}

TEST(PrintedPages, DarknessFiveIsTheFineScreen) {
  fixture::TempDir tmp;
  const Printed p = print(queueCommand(tmp, "GammaDarkness=darkness5"), {kGradient});
  ASSERT_EQ(p.pages.size(), 1U);
  expectPage(p.pages[0], fixture::thresholded(kGradient, [](std::size_t x, std::size_t y) {
               return printfilter::FINE_TAry_128[(y % 128) * 128 + x % 128];
             }));
}

TEST(PrintedPages, HalfScaleSubsamplesIntoTheTopLeftCorner) {
  fixture::TempDir tmp;
  const GreyPage source =
      fixture::drawnPage(100, 100, [](unsigned x, unsigned y) { return static_cast<std::uint8_t>((x * 7 + y * 13) % 251); });
  const GreyPage expected = fixture::drawnPage(100, 100, [&](unsigned x, unsigned y) {
    return x < 50 && y < 50 ? source.at(2 * x, 2 * y) : std::uint8_t{255};
  });
  const Printed p = print(queueCommand(tmp, "QUORScale=50%"), {source});
  ASSERT_EQ(p.pages.size(), 1U);
  expectPage(p.pages[0], fixture::matrixHalftone(expected));
}

TEST(PrintedPages, FullScaleIsThePageItself) {
  fixture::TempDir tmp;
  const Printed p = print(queueCommand(tmp, "QUORScale=100%"), {kGradient});
  ASSERT_EQ(p.pages.size(), 1U);
  expectPage(p.pages[0], fixture::matrixHalftone(kGradient));
}

TEST(PrintedPages, OneAndAHalfScaleInterpolatesBilinearly) {
  // Linear ramps are reproduced exactly by bilinear interpolation: 2x at
  // x = j / 1.5 is 4j/3 (truncated); the enlarged page is cut at its edges.
  fixture::TempDir tmp;
  const GreyPage across = fixture::drawnPage(100, 100, [](unsigned x, unsigned) { return static_cast<std::uint8_t>(2 * x); });
  const GreyPage down = fixture::drawnPage(100, 100, [](unsigned, unsigned y) { return static_cast<std::uint8_t>(2 * y); });
  const Printed p = print(queueCommand(tmp, "QUORScale=150%"), {across, down});
  ASSERT_EQ(p.pages.size(), 2U);
  expectPage(p.pages[0], fixture::matrixHalftone(fixture::drawnPage(
                             100, 100, [](unsigned x, unsigned) { return static_cast<std::uint8_t>(4 * x / 3); })));
  expectPage(p.pages[1], fixture::matrixHalftone(fixture::drawnPage(
                             100, 100, [](unsigned, unsigned y) { return static_cast<std::uint8_t>(4 * y / 3); })));
}

TEST(PrintedPages, LongEdgeBackSideIsTurnedAndSentFirst) {
  fixture::TempDir tmp;
  const GreyPage front = kGradient;
  const GreyPage back =
      fixture::drawnPage(64, 40, [](unsigned x, unsigned y) { return static_cast<std::uint8_t>(x * 4 + (y < 10 ? 0 : 60)); });
  const Printed p = print(queueCommand(tmp, "Duplex=DuplexNoTumble"), {front, back});
  ASSERT_EQ(p.pages.size(), 2U);
  expectPage(p.pages[0], fixture::matrixHalftone(fixture::turnedHalfARound(back)));
  expectPage(p.pages[1], fixture::matrixHalftone(front));
}

TEST(PrintedPages, ShortEdgeBackSideIsNotTurned) {
  fixture::TempDir tmp;
  const Printed p = print(queueCommand(tmp, "Duplex=DuplexTumble"), {kGradient, kGradient});
  ASSERT_EQ(p.pages.size(), 2U);
  expectPage(p.pages[0], fixture::matrixHalftone(kGradient));
  expectPage(p.pages[1], fixture::matrixHalftone(kGradient));
}

TEST(PrintedPages, Width13KeepsItsOwnWidthInTheImage) {
  fixture::TempDir tmp;
  const GreyPage narrow =
      fixture::drawnPage(13, 9, [](unsigned x, unsigned y) { return static_cast<std::uint8_t>(x * 19 + y * 7); });
  const Printed p = print(queueCommand(tmp), {narrow});
  ASSERT_EQ(p.pages.size(), 1U);
  EXPECT_EQ(p.job.pages[0].field("RasterObject.Width"), "16");
  EXPECT_EQ(p.pages[0].width, 13U);  // the BIE carries the page's own width
  expectPage(p.pages[0], fixture::matrixHalftone(narrow));
}

TEST(PrintedPages, BlankBackSideOfAnOddDuplexJobIsWhiteOfItsPartnersSize) {
  fixture::TempDir tmp;
  const GreyPage only = fixture::uniformPage(24, 10, 0);
  const Printed p = print(queueCommand(tmp, "Duplex=DuplexNoTumble"), {only});
  ASSERT_EQ(p.pages.size(), 2U);
  expectPage(p.pages[0], fixture::matrixHalftone(fixture::uniformPage(24, 10, 255)));
  expectPage(p.pages[1], fixture::matrixHalftone(only));
  EXPECT_EQ(p.job.pages[0].field("RasterObject.Height"), "10");
}

struct BieCase {
  unsigned width, height;
  unsigned long stripeRows;  // L0: height / 35, at most 128, at least 2
};

class BieHeader : public testing::TestWithParam<BieCase> {};

// The printer decodes the encoder's defaults: one plane, no resolution
// layers, the page's own width.
TEST_P(BieHeader, CarriesTheEncoderDefaults) {
  fixture::TempDir tmp;
  const Printed p = print(queueCommand(tmp), {fixture::uniformPage(GetParam().width, GetParam().height, 90)});
  ASSERT_EQ(p.job.pages.size(), 1U);
  const std::string& bie = p.job.pages[0].data;
  ASSERT_GE(bie.size(), 20U);
  auto byte = [&](std::size_t at) { return static_cast<unsigned>(static_cast<unsigned char>(bie[at])); };
  auto number = [&](std::size_t at) {
    return (static_cast<unsigned long>(byte(at)) << 24) | (byte(at + 1) << 16) | (byte(at + 2) << 8) | byte(at + 3);
  };
  EXPECT_EQ(byte(0), 0U);  // DL
  EXPECT_EQ(byte(1), 0U);  // D
  EXPECT_EQ(byte(2), 1U);  // planes
  EXPECT_EQ(number(4), GetParam().width);
  EXPECT_EQ(number(8), GetParam().height);
  EXPECT_EQ(number(12), GetParam().stripeRows);
  EXPECT_EQ(byte(16), 8U);     // MX
  EXPECT_EQ(byte(17), 0U);     // MY
  EXPECT_EQ(byte(18), 3U);     // order: interleaved, SMID
  EXPECT_EQ(byte(19), 0x1CU);  // TPBON, TPDON, DPON
}

INSTANTIATE_TEST_SUITE_P(Sizes, BieHeader,
                         testing::Values(BieCase{13, 700, 20}, BieCase{16, 40, 2}, BieCase{8, 7000, 128}));

TEST(PrintedPages, LargePageGoesOutIn4096ByteRecords) {
  fixture::TempDir tmp;
  // Noise compresses badly: the page takes several records.
  const GreyPage noise = fixture::noisePage(256, 256, 12345);
  const Printed p = print(queueCommand(tmp), {noise});
  ASSERT_EQ(p.pages.size(), 1U);
  const auto& sizes = p.job.pages[0].recordSizes;
  ASSERT_GT(sizes.size(), 1U);
  for (std::size_t i = 0; i + 1 < sizes.size(); ++i) EXPECT_EQ(sizes[i], 4096U);
  EXPECT_LE(sizes.back(), 4096U);
  expectPage(p.pages[0], fixture::matrixHalftone(noise));
}

TEST(DecodeTool, WritesEachPageAsPbmLikeJbgtopbm) {
  fixture::TempDir tmp;
  const Printed p = print(queueCommand(tmp, "Duplex=DuplexTumble"), {kGradient});
  ASSERT_EQ(p.pages.size(), 2U);
  const std::string stream = tmp.str() + "/job.prn";
  std::ofstream(stream, std::ios::binary) << p.run.out;
  const std::string command = std::string(DECODE_JOBSTREAM_BINARY) + " " + stream + " " + tmp.str() + " > " +
                              tmp.str() + "/listing.txt";
  ASSERT_EQ(std::system(command.c_str()), 0);
  const std::string text = fixture::readFile(tmp.str() + "/listing.txt");
  EXPECT_EQ(text, "page 1: 64x40 MediaSize=na_a4_210x297mm\npage 2: 64x40 MediaSize=na_a4_210x297mm\n"
                  "2 pages, job complete\n");

  // JBIG-KIT's own command-line decoder agrees (its PBM header may differ).
  if (std::system("command -v jbgtopbm > /dev/null") != 0) GTEST_SKIP() << "jbgtopbm (jbigkit-bin) not installed";
  const std::string bie = tmp.str() + "/page.jbg";
  std::ofstream(bie, std::ios::binary) << p.job.pages[1].data;
  ASSERT_EQ(std::system(("jbgtopbm " + bie + " " + tmp.str() + "/jbgtopbm.pbm").c_str()), 0);
  // The pixel data after a PBM header "P4 <width> <height>" and one white-space byte.
  auto pixels = [](const std::string& path) {
    const std::string pbm = fixture::readFile(path);
    std::size_t at = 2;
    for (int number = 0; number < 2; ++number) {
      while (at < pbm.size() && std::isspace(static_cast<unsigned char>(pbm[at]))) ++at;
      while (at < pbm.size() && std::isdigit(static_cast<unsigned char>(pbm[at]))) ++at;
    }
    return pbm.substr(at + 1);
  };
  EXPECT_EQ(pixels(tmp.str() + "/jbgtopbm.pbm"), pixels(tmp.str() + "/page-0002.pbm"));
  const std::string ours = pixels(tmp.str() + "/page-0002.pbm");
  EXPECT_EQ(ours, std::string(p.pages[1].bits.begin(), p.pages[1].bits.end()));
}

}  // namespace
}  // namespace printfilter_test
