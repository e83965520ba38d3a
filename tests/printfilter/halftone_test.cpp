#include <gtest/gtest.h>

#include <algorithm>
#include <map>
#include <vector>

#include "printfilter/halftone.h"

namespace printfilter {
namespace {

std::uint8_t fine(std::size_t row, std::size_t column) { return FINE_TAry_128[row * kFineTableSize + column]; }

TEST(FineTable, FixedFirstRowsStandWhereGiven) {
  const std::vector<std::vector<int>> rows = {
      {67, 51, 59, 114, 190, 206, 198, 143, 64, 48, 56, 111, 187, 203, 195, 140},
      {35, 3, 19, 98, 222, 254, 238, 159, 32, 1, 16, 95, 219, 250, 235, 155},
      {43, 11, 27, 106, 214, 246, 230, 151, 40, 8, 24, 103, 211, 242, 227, 148},
      {91, 75, 83, 122, 166, 182, 174, 135, 87, 71, 79, 120, 163, 179, 171, 132},
      {185, 200, 192, 137, 69, 54, 62, 117},
      {216, 248, 232, 153, 38, 6, 22, 101},
      {208, 240, 224, 145, 46, 14, 30, 109},
      {161, 177, 169, 129, 93, 77, 85, 125},
  };
  for (std::size_t y = 0; y < rows.size(); ++y)
    for (std::size_t x = 0; x < rows[y].size(); ++x) EXPECT_EQ(fine(y, x), rows[y][x]) << "row " << y << " col " << x;
}

TEST(FineTable, EveryThresholdFrom1To254OccursAbout64Times) {
  std::map<int, int> count;
  for (std::uint8_t v : FINE_TAry_128) ++count[v];
  EXPECT_EQ(count.begin()->first, 1);
  EXPECT_EQ(count.rbegin()->first, 254);
  EXPECT_EQ(count.size(), 254U);
  EXPECT_EQ(count[1], 97);
  EXPECT_EQ(count[254], 33);
  for (int v = 2; v < 254; ++v) EXPECT_NEAR(count[v], 64, 1) << v;
}

TEST(FineTable, ClusteredDotRepeatsEvery8Pixels) {
  // A repeat of the dot differs from its neighbour by a few levels only; half
  // a period away a black-dot centre faces a white-dot centre.
  long sameDot = 0, halfPeriod = 0;
  for (std::size_t y = 0; y < kFineTableSize; ++y)
    for (std::size_t x = 0; x < kFineTableSize; ++x) {
      sameDot += std::abs(fine(y, x) - fine(y, (x + 8) % kFineTableSize)) + std::abs(fine(y, x) - fine((y + 8) % kFineTableSize, x));
      halfPeriod += std::abs(fine(y, x) - fine(y, (x + 4) % kFineTableSize));
    }
  const double cells = kFineTableSize * kFineTableSize;
  EXPECT_LT(static_cast<double>(sameDot) / cells / 2, 4.0);
  EXPECT_GT(static_cast<double>(halfPeriod) / cells, 100.0);
}

std::vector<std::uint8_t> halftoneOf(std::uint8_t grey, std::size_t width, std::size_t y, const Screen& screen) {
  const std::vector<std::uint8_t> row(width, grey);
  std::vector<std::uint8_t> bits((width + 7) / 8, 0xAA);
  halftoneRow(row.data(), width, y, screen, bits.data());
  return bits;
}

bool black(const std::vector<std::uint8_t>& bits, std::size_t x) { return ((bits[x / 8] >> (7 - x % 8)) & 1) != 0; }

TEST(Halftone, DarknessZeroGrey128FollowsTheMatrix) {
  const Screen screen(0);
  const int expected[4][4] = {{0, 1, 0, 0}, {0, 1, 1, 1}, {1, 1, 1, 1}, {0, 0, 0, 0}};
  for (std::size_t y = 0; y < 8; ++y) {
    const auto bits = halftoneOf(128, 16, y, screen);
    for (std::size_t x = 0; x < 16; ++x) EXPECT_EQ(black(bits, x), expected[y % 4][x % 4] == 1) << x << "," << y;
  }
}

TEST(Halftone, WhiteStaysWhiteAndBlackBlackAtEveryDarkness) {
  for (int darkness = 0; darkness <= 5; ++darkness) {
    const Screen screen(darkness);
    for (std::size_t y = 0; y < 128; y += 13) {
      EXPECT_EQ(halftoneOf(255, 128, y, screen), std::vector<std::uint8_t>(16, 0x00)) << darkness;
      EXPECT_EQ(halftoneOf(0, 128, y, screen), std::vector<std::uint8_t>(16, 0xFF)) << darkness;
    }
  }
}

TEST(Halftone, EveryGreyAgainstEveryThresholdOfTheScreen) {
  // The fine screen holds every threshold 1..254; odd widths take the short path too.
  const Screen screen(5);
  for (int grey = 0; grey < 256; ++grey)
    for (std::size_t width : {std::size_t{128}, std::size_t{61}}) {
      const std::vector<std::uint8_t> row(width, static_cast<std::uint8_t>(grey));
      for (std::size_t y = 0; y < 128; ++y) {
        std::vector<std::uint8_t> bits((width + 7) / 8);
        halftoneRow(row.data(), width, y, screen, bits.data());
        for (std::size_t x = 0; x < width; ++x)
          ASSERT_EQ(black(bits, x), grey <= screen.threshold(x, y)) << grey << " at " << x << "," << y;
      }
    }
}

TEST(Halftone, DarknessFiveGreyOneIsBlackEverywhere) {
  const Screen screen(5);
  for (std::size_t y = 0; y < 128; ++y) EXPECT_EQ(halftoneOf(1, 128, y, screen), std::vector<std::uint8_t>(16, 0xFF));
}

TEST(Halftone, DarknessFiveUsesTheTableAsStored) {
  const Screen screen(5);
  for (std::size_t y = 0; y < 128; ++y)
    for (std::size_t x = 0; x < 128; ++x) ASSERT_EQ(screen.threshold(x, y), fine(y, x));
  EXPECT_FALSE(screen.usesGammaCurve());
}

TEST(Halftone, GammaLevelsMapTheTableThroughTheirCurve) {
  for (int darkness = 1; darkness <= 4; ++darkness) {
    const Screen screen(darkness);
    const auto curve = gammaCurve(gammaOfDarkness(darkness));
    EXPECT_TRUE(screen.usesGammaCurve());
    for (std::size_t y = 0; y < 128; ++y)
      for (std::size_t x = 0; x < 128; ++x) {
        const int expected = std::clamp(static_cast<int>(curve[fine(y, x)]), 1, 254);
        ASSERT_EQ(screen.threshold(x, y), expected) << darkness << " " << x << "," << y;
      }
  }
}

TEST(Halftone, HigherGammaPrintsLighter) {
  // Grey 128 at level 1 (gamma 4) has far fewer black pixels than at level 4.
  auto blacks = [](int darkness) {
    const Screen screen(darkness);
    int n = 0;
    for (std::size_t y = 0; y < 128; ++y) {
      const auto bits = halftoneOf(128, 128, y, screen);
      for (std::size_t x = 0; x < 128; ++x) n += black(bits, x) ? 1 : 0;
    }
    return n;
  };
  EXPECT_LT(blacks(1), blacks(2));
  EXPECT_LT(blacks(2), blacks(3));
  EXPECT_LT(blacks(3), blacks(4));
  EXPECT_LT(blacks(4), blacks(5));
}

TEST(GammaCurve, ValuesOfTheCurve) {
  const auto two = gammaCurve(2.0F);
  EXPECT_EQ(two[0], 0);
  EXPECT_EQ(two[255], 255);
  EXPECT_EQ(two[128], 64);  // 255 * (128/255)^2 = 64.25
  EXPECT_EQ(two[200], 157);  // 156.86
  const auto one = gammaCurve(1.0F);
  for (int v = 0; v < 256; ++v) EXPECT_EQ(one[static_cast<std::size_t>(v)], v);
}

TEST(Halftone, Width13PacksTwoBytesWithPixels8To12InTheTopBits) {
  const Screen screen(0);
  std::vector<std::uint8_t> row(13, 255);
  row[0] = 0;
  row[8] = 0;
  row[12] = 0;
  std::vector<std::uint8_t> bits(2, 0xFF);
  halftoneRow(row.data(), 13, 0, screen, bits.data());
  EXPECT_EQ(bits[0], 0x80);
  EXPECT_EQ(bits[1], 0x88);  // pixels 8 and 12; the three bits past the row are 0
}

}  // namespace
}  // namespace printfilter
