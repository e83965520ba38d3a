#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "memory_rows.h"
#include "printfilter/scaling.h"
#include "raster_fixture.h"

namespace printfilter {
namespace {

using fixture::MemoryRows;

std::vector<std::vector<std::uint8_t>> scale(const fixture::GreyPage& page, double ratio, MemoryRows* rowsOut = nullptr) {
  MemoryRows own(page);
  MemoryRows& rows = rowsOut != nullptr ? *rowsOut : own;
  Scaler scaler(page.width, page.height, ratio);
  std::vector<std::vector<std::uint8_t>> out(page.height, std::vector<std::uint8_t>(page.width, 255));
  for (std::size_t i = 0; i < scaler.imageRows(); ++i) scaler.scaleRow(i, rows, out[i].data());
  return out;
}

// Every pixel different, so that a wrong sample shows.
const fixture::GreyPage kPattern =
    fixture::drawnPage(100, 100, [](unsigned x, unsigned y) { return static_cast<std::uint8_t>((x * 7 + y * 13) % 251); });

struct Subsampling {
  double ratio;
  std::size_t step;
};

class WholeNumberPositions : public testing::TestWithParam<Subsampling> {};

// At 0.5 and 0.25 every source position is a whole number: plain subsampling.
TEST_P(WholeNumberPositions, KeepEveryNthPixelInTheTopLeftCorner) {
  const std::size_t step = GetParam().step;
  const auto out = scale(kPattern, GetParam().ratio);
  for (std::size_t i = 0; i < 100; ++i)
    for (std::size_t j = 0; j < 100; ++j) {
      const int expected = i < 100 / step && j < 100 / step ? kPattern.at(step * j, step * i) : 255;
      ASSERT_EQ(out[i][j], expected) << j << "," << i;
    }
}

INSTANTIATE_TEST_SUITE_P(Ratios, WholeNumberPositions, testing::Values(Subsampling{0.5, 2}, Subsampling{0.25, 4}));

// Bilinear interpolation reproduces a linear ramp: source 2x sampled at
// x = j / 1.5 gives 4j/3. (Weights swapped, as in a distance-weighted mix,
// give 2 * floor(x) + 2 - 2 * frac(x) instead.)
TEST(Scaling, OneAndAHalfInterpolatesAcrossAHorizontalRamp) {
  const auto ramp = fixture::drawnPage(100, 100, [](unsigned x, unsigned) { return static_cast<std::uint8_t>(2 * x); });
  MemoryRows rows(ramp);
  const auto out = scale(ramp, 1.5, &rows);
  for (std::size_t i = 0; i < 100; ++i)
    for (std::size_t j = 0; j < 100; ++j) ASSERT_EQ(out[i][j], 4 * j / 3) << j << "," << i;
  // All 100 destination rows come from source rows 0 to 66.
  EXPECT_EQ(rows.highest, 66U);
}

TEST(Scaling, OneAndAHalfInterpolatesDownAVerticalRamp) {
  const auto ramp = fixture::drawnPage(100, 100, [](unsigned, unsigned y) { return static_cast<std::uint8_t>(2 * y); });
  const auto out = scale(ramp, 1.5);
  for (std::size_t i = 0; i < 100; ++i)
    for (std::size_t j = 0; j < 100; ++j) ASSERT_EQ(out[i][j], 4 * i / 3) << j << "," << i;
}

TEST(Scaling, OneAndAHalfNeverReadsPastColumn66) {
  auto page = kPattern;
  for (unsigned y = 0; y < 100; ++y)
    for (unsigned x = 67; x < 100; ++x) page.pixels[y * 100 + x] = 0;
  EXPECT_EQ(scale(page, 1.5), scale(kPattern, 1.5));
}

TEST(Scaling, MidpointIsTheMeanOfItsNeighbours) {
  // Ratio 0.8 on a 10-pixel row: j = 2 samples x = 2.5, halfway between 40 and 80.
  const auto steps = fixture::drawnPage(10, 10, [](unsigned x, unsigned) { return static_cast<std::uint8_t>(x < 3 ? 40 : 80); });
  const auto out = scale(steps, 0.8);
  EXPECT_EQ(out[0][2], 60);
  EXPECT_EQ(out[0][0], 40);
  EXPECT_EQ(out[0][7], 80);
  EXPECT_EQ(out[0][8], 255);  // past the scaled width (8)
}

struct Fraction {
  double ratio;
  long num, den;  // the ratio as a fraction: destination step num maps to source step den
};

class ExactBilinear : public testing::TestWithParam<Fraction> {};

// Against exact arithmetic on a noise page: source positions d * den / num,
// weights multiples of 1 / num. The fixed-point weights may move a value
// that lies within 1/16 of a whole number across it, never more.
TEST_P(ExactBilinear, MatchesTruncatedExactValues) {
  const auto [ratio, num, den] = GetParam();
  std::uint32_t seed = 5;
  const auto noise = fixture::drawnPage(301, 203, [&](unsigned, unsigned) {
    seed = seed * 1664525U + 1013904223U;
    return static_cast<std::uint8_t>(seed >> 24);
  });
  const auto out = scale(noise, ratio);
  const auto at = [&](long x, long y) -> long {
    return noise.at(static_cast<std::size_t>(x), static_cast<std::size_t>(y));
  };
  const auto rows = static_cast<std::size_t>(203 * ratio), columns = static_cast<std::size_t>(301 * ratio);
  std::size_t moved = 0;
  for (std::size_t i = 0; i < 203; ++i)
    for (std::size_t j = 0; j < 301; ++j) {
      const int got = out[i][j];
      if (i >= rows || j >= columns) {
        ASSERT_EQ(got, 255) << j << "," << i;
        continue;
      }
      const long x0 = static_cast<long>(j) * den / num, fx = static_cast<long>(j) * den % num;
      const long y0 = static_cast<long>(i) * den / num, fy = static_cast<long>(i) * den % num;
      const long x1 = fx != 0 ? x0 + 1 : x0, y1 = fy != 0 ? y0 + 1 : y0;
      const long scaled = (num - fx) * (num - fy) * at(x0, y0) + fx * (num - fy) * at(x1, y0) +
                          (num - fx) * fy * at(x0, y1) + fx * fy * at(x1, y1);
      const long whole = num * num, exact = scaled / whole, rest = scaled % whole;
      if (got == exact) continue;
      ++moved;
      if (got == exact - 1) {
        ASSERT_LT(rest * 16, whole) << "lowered from " << exact << " at " << j << "," << i;
      } else if (got == exact + 1) {
        ASSERT_GT(rest * 16, 15 * whole) << "raised from " << exact << " at " << j << "," << i;
      } else {
        FAIL() << "got " << got << " for " << exact << " at " << j << "," << i;
      }
    }
  // Borderline values are few; none move where the weights are whole
  // multiples of 1/4096 (0.25, 0.5, 0.8).
  EXPECT_LT(moved, rows * columns / 10);
  if (4096 % num == 0) {
    EXPECT_EQ(moved, 0U);
  }
}

INSTANTIATE_TEST_SUITE_P(Ratios, ExactBilinear,
                         testing::Values(Fraction{0.25, 1, 4}, Fraction{0.5, 1, 2}, Fraction{0.8, 4, 5},
                                         Fraction{0.9, 9, 10}, Fraction{1.1, 11, 10}, Fraction{1.2, 6, 5},
                                         Fraction{1.5, 3, 2}),
                         [](const auto& tested) {
                           return "Percent" + std::to_string(static_cast<int>(tested.param.ratio * 100 + 0.5));
                         });

TEST(Scaling, ScaledSizeIsTruncated) {
  const Scaler scaler(4961, 7016, 0.9);
  EXPECT_EQ(scaler.imageColumns(), 4464U);
  EXPECT_EQ(scaler.imageRows(), 6314U);
  const Scaler larger(4961, 7016, 1.1);
  EXPECT_EQ(larger.imageColumns(), 4961U);
  EXPECT_EQ(larger.imageRows(), 7016U);
}

}  // namespace
}  // namespace printfilter
