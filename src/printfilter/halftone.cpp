#include "printfilter/halftone.h"

#include <algorithm>
#include <bit>
#include <cmath>
#include <cstring>

namespace printfilter {

float gammaOfDarkness(int darkness) {
  switch (darkness) {
    case 1: return 4.0F;
    case 2: return 2.0F;
    case 3: return 1.65F;
    case 4: return 1.35F;
    case 5: return 1.0F;
    default: return 0.0F;
  }
}

std::array<std::uint8_t, 256> gammaCurve(float gamma) {
  std::array<std::uint8_t, 256> curve{};
  for (int v = 0; v < 256; ++v) {
    const float base = static_cast<float>(v) / 255.0F;
    const float product = 255.0F * static_cast<float>(std::pow(static_cast<double>(base), static_cast<double>(gamma)));
    const double value = 0.5 + static_cast<double>(product);
    curve[static_cast<std::size_t>(v)] = static_cast<std::uint8_t>(std::clamp(static_cast<int>(value), 0, 255));
  }
  return curve;
}

Screen::Screen(int darkness) {
  const float gamma = gammaOfDarkness(darkness);
  if (gamma == 0.0F) {
    for (std::size_t y = 0; y < kFineTableSize; ++y)
      for (std::size_t x = 0; x < kFineTableSize; ++x) cells_[y * kFineTableSize + x] = kMatrix4x4[(y % 4) * 4 + x % 4];
  } else if (gamma == 1.0F) {
    cells_ = FINE_TAry_128;
  } else {
    curved_ = true;
    const auto curve = gammaCurve(gamma);
    for (std::size_t i = 0; i < cells_.size(); ++i) {
      const int t = std::clamp(static_cast<int>(FINE_TAry_128[i]), 1, 254);
      cells_[i] = static_cast<std::uint8_t>(std::clamp(static_cast<int>(curve[static_cast<std::size_t>(t)]), 1, 254));
    }
  }
}

Screen::Screen(int darkness, Log& log) : Screen(darkness) {
  log.line("DEBUG:[KTR6620LXV]---curGammaVal=%.2f;\n", static_cast<double>(gammaOfDarkness(darkness)));
}

namespace {

// Eight pixels at once: each byte's top bit says grey <= threshold (an
// unsigned per-byte compare without borrows between bytes), then the eight
// flags are gathered into one byte, first pixel on top.
std::uint8_t packEight(const std::uint8_t* grey, const std::uint8_t* thresholds) {
  constexpr std::uint64_t high = 0x8080808080808080ULL;
  std::uint64_t g = 0, t = 0;
  std::memcpy(&g, grey, 8);
  std::memcpy(&t, thresholds, 8);
  const std::uint64_t lowBitsAtLeast = (t | high) - (g & ~high);  // top bit: low 7 bits of t >= those of g
  const std::uint64_t atLeast = ((t & ~g) | (~(t ^ g) & lowBitsAtLeast)) & high;
  return static_cast<std::uint8_t>(((atLeast >> 7) * 0x8040201008040201ULL) >> 56);
}

std::uint8_t packFew(const std::uint8_t* grey, const std::uint8_t* thresholds, std::size_t count) {
  unsigned byte = 0;
  for (std::size_t k = 0; k < count; ++k) byte |= static_cast<unsigned>(grey[k] <= thresholds[k]) << (7U - k);
  return static_cast<std::uint8_t>(byte);
}

}  // namespace

void halftoneRow(const std::uint8_t* grey, std::size_t width, std::size_t y, const Screen& screen,
                 std::uint8_t* bits) {
  const std::uint8_t* thresholds = screen.row(y);
  const std::size_t whole = width / 8;
  for (std::size_t b = 0; b < whole; ++b) {
    const std::uint8_t* g = grey + b * 8;
    const std::uint8_t* t = thresholds + (b * 8) % kFineTableSize;
    bits[b] = std::endian::native == std::endian::little ? packEight(g, t) : packFew(g, t, 8);
  }
  if (const std::size_t rest = width % 8; rest != 0)
    bits[whole] = packFew(grey + whole * 8, thresholds + (whole * 8) % kFineTableSize, rest);
}

}  // namespace printfilter
