#include "printfilter/scaling.h"

#include <algorithm>
#include <cmath>
#include <cstring>

namespace printfilter {

namespace {

constexpr std::size_t kNoRow = static_cast<std::size_t>(-1);

// The row loops below run in blocks of a fixed length over pointers that
// cannot overlap, which is what lets compilers vectorize them at -O2.
constexpr std::size_t kBlock = 16;

// out = (top * topWeight + bottom * bottomWeight) >> shift
void mixRows(const std::uint32_t* __restrict top, std::uint32_t topWeight, const std::uint32_t* __restrict bottom,
             std::uint32_t bottomWeight, unsigned shift, std::uint8_t* __restrict out, std::size_t count) {
  std::size_t j = 0;
  for (; j + kBlock <= count; j += kBlock)
    for (std::size_t k = j; k < j + kBlock; ++k)
      out[k] = static_cast<std::uint8_t>((top[k] * topWeight + bottom[k] * bottomWeight) >> shift);
  for (; j < count; ++j) out[j] = static_cast<std::uint8_t>((top[j] * topWeight + bottom[j] * bottomWeight) >> shift);
}

// out = (row * weight) >> shift
void weighRow(const std::uint32_t* __restrict row, std::uint32_t weight, unsigned shift, std::uint8_t* __restrict out,
              std::size_t count) {
  std::size_t j = 0;
  for (; j + kBlock <= count; j += kBlock)
    for (std::size_t k = j; k < j + kBlock; ++k) out[k] = static_cast<std::uint8_t>((row[k] * weight) >> shift);
  for (; j < count; ++j) out[j] = static_cast<std::uint8_t>((row[j] * weight) >> shift);
}

}  // namespace

Scaler::Scaler(std::size_t width, std::size_t height, double ratio)
    : width_(width), height_(height), ratio_(ratio), columns_(width), rows_(height), acrossRow_{kNoRow, kNoRow} {
  if (identity()) return;
  columns_ = std::min(width_, static_cast<std::size_t>(static_cast<double>(width_) * ratio_));
  rows_ = std::min(height_, static_cast<std::size_t>(static_cast<double>(height_) * ratio_));
  xs_ = taps(columns_, width_);
  ys_ = taps(rows_, height_);
  columnsOnPixels_ = std::all_of(xs_.lowWeight.begin(), xs_.lowWeight.end(), [](std::uint32_t w) { return w == kOne; });
  for (auto& row : across_) row.resize(columns_);
}

void Scaler::logStart(Log& log) const {
  if (identity()) {
    log.line("DEBUG:[KTR6620LXV]:scale ratio = %f, and memcpy srcimage  ================================\n", ratio_);
    return;
  }
  log.line("DEBUG:[KTR6620LXV]:scale ratio = %f ,zoom size : dstwidth=%d ,distheight=%d  "
           "================================\n",
           ratio_, static_cast<int>(static_cast<double>(width_) * ratio_),
           static_cast<int>(static_cast<double>(height_) * ratio_));
}

Scaler::Taps Scaler::taps(std::size_t count, std::size_t limit) const {
  Taps t;
  for (auto* v : {&t.low, &t.high, &t.lowWeight, &t.highWeight}) v->resize(count);
  for (std::size_t d = 0; d < count; ++d) {
    const double position = static_cast<double>(d) / ratio_;
    const double low = std::floor(position);
    const auto toHigh = static_cast<std::uint32_t>(std::lround((position - low) * kOne));
    std::size_t lowAt = static_cast<std::size_t>(low), highAt = static_cast<std::size_t>(std::ceil(position));
    std::uint32_t lowWeight = kOne - toHigh, highWeight = toHigh;
    // A sample past the page counts as 0: it keeps no weight and points at
    // a sample that exists.
    if (highAt >= limit) {
      highAt = lowAt;
      highWeight = 0;
    }
    if (lowAt >= limit) {
      lowAt = highAt = 0;
      lowWeight = highWeight = 0;
    }
    t.low[d] = static_cast<std::uint32_t>(lowAt);
    t.high[d] = static_cast<std::uint32_t>(highAt);
    t.lowWeight[d] = lowWeight;
    t.highWeight[d] = highWeight;
  }
  return t;
}

const std::uint32_t* Scaler::across(std::size_t y, std::size_t keep, GreyRows& source) {
  for (std::size_t k = 0; k < 2; ++k)
    if (acrossRow_[k] == y) return across_[k].data();
  // Rows are asked in rising order: fill an empty slot, else replace the
  // lower row unless it is still needed.
  std::size_t slot = acrossRow_[1] == kNoRow || (acrossRow_[0] != kNoRow && acrossRow_[1] < acrossRow_[0]) ? 1 : 0;
  if (acrossRow_[slot] == keep && keep != kNoRow) slot = 1 - slot;
  acrossRow_[slot] = y;
  const std::uint8_t* in = source.row(y);
  std::uint32_t* out = across_[slot].data();
  const std::uint32_t* low = xs_.low.data();
  const std::uint32_t* high = xs_.high.data();
  const std::uint32_t* lowWeight = xs_.lowWeight.data();
  const std::uint32_t* highWeight = xs_.highWeight.data();
  for (std::size_t j = 0; j < columns_; ++j) out[j] = in[low[j]] * lowWeight[j] + in[high[j]] * highWeight[j];
  return out;
}

void Scaler::scaleRow(std::size_t i, GreyRows& source, std::uint8_t* out) {
  std::memset(out + columns_, 255, width_ - columns_);
  const std::uint32_t topWeight = ys_.lowWeight[i], bottomWeight = ys_.highWeight[i];
  if (columnsOnPixels_ && topWeight == kOne) {
    // Plain subsampling (ratios 0.5 and 0.25): pick the pixels.
    const std::uint8_t* in = source.row(ys_.low[i]);
    const std::uint32_t* low = xs_.low.data();
    const std::size_t columns = columns_;  // byte stores could alias the member
    for (std::size_t j = 0; j < columns; ++j) out[j] = in[low[j]];
    return;
  }
  // A row with no weight is not read at all (it may lie past the page).
  const std::uint32_t* top = topWeight != 0 ? across(ys_.low[i], kNoRow, source) : nullptr;
  const std::uint32_t* bottom = bottomWeight != 0 ? across(ys_.high[i], ys_.low[i], source) : nullptr;
  if (top == nullptr || bottom == nullptr) {
    const std::uint32_t* only = top != nullptr ? top : bottom;
    const std::uint32_t weight = top != nullptr ? topWeight : bottomWeight;
    if (only == nullptr)
      std::memset(out, 0, columns_);
    else if (weight == kOne)  // on a source row
      weighRow(only, 1, kWeightBits, out, columns_);
    else
      weighRow(only, weight, 2 * kWeightBits, out, columns_);
    return;
  }
  // 255 * kOne * kOne still fits in 32 bits.
  mixRows(top, topWeight, bottom, bottomWeight, 2 * kWeightBits, out, columns_);
}

}  // namespace printfilter
