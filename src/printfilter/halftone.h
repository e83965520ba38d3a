#pragma once

#include <array>
#include <cstddef>
#include <cstdint>

#include "printfilter/fine_table.h"
#include "printfilter/log.h"

namespace printfilter {

// The 4x4 threshold matrix of darkness 0, row by row.
inline constexpr std::array<std::uint8_t, 16> kMatrix4x4 = {56, 168, 104, 40, 120, 200, 248, 184,
                                                            152, 216, 232, 136, 8, 72, 88, 24};

// Gamma of each darkness level; 0 means the 4x4 matrix, 1 the fine table as stored.
float gammaOfDarkness(int darkness);

// curve[v] = (int)(0.5 + 255 * (v/255)^gamma), the quotient and product in
// single precision, the power and the addition in double.
std::array<std::uint8_t, 256> gammaCurve(float gamma);

// Threshold screen of one darkness level, held as one 128x128 tile (the 4x4
// matrix repeated). A pixel is black when its grey is at most its threshold.
class Screen {
 public:
  explicit Screen(int darkness);
  // Logs the gamma in use, as halftoning starts a page.
  Screen(int darkness, Log& log);

  std::uint8_t threshold(std::size_t x, std::size_t y) const {
    return cells_[(y % kFineTableSize) * kFineTableSize + x % kFineTableSize];
  }
  const std::uint8_t* row(std::size_t y) const { return &cells_[(y % kFineTableSize) * kFineTableSize]; }
  bool usesGammaCurve() const { return curved_; }

 private:
  std::array<std::uint8_t, kFineTableSize * kFineTableSize> cells_{};
  bool curved_ = false;
};

// One grey row (0 black .. 255 white) to one row of packed bits, 8 pixels a
// byte, first pixel in the top bit, 1 black; bits past `width` are 0.
void halftoneRow(const std::uint8_t* grey, std::size_t width, std::size_t y, const Screen& screen,
                 std::uint8_t* bits);

}  // namespace printfilter
