#include "printfilter/scaling.h"

#include <algorithm>
#include <cmath>
#include <cstring>

namespace printfilter {

Scaler::Scaler(std::size_t width, std::size_t height, double ratio)
    : width_(width), height_(height), ratio_(ratio), columns_(width), rows_(height) {
  if (identity()) return;
  columns_ = std::min(width_, static_cast<std::size_t>(static_cast<double>(width_) * ratio_));
  rows_ = std::min(height_, static_cast<std::size_t>(static_cast<double>(height_) * ratio_));
  black_.assign(width_, 0);
  xs_.reserve(columns_);
  for (std::size_t j = 0; j < columns_; ++j) xs_.push_back(axis(j));
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

Scaler::Axis Scaler::axis(std::size_t destination) const {
  const double position = static_cast<double>(destination) / ratio_;
  const double low = std::floor(position);
  const double high = std::ceil(position);
  return {static_cast<std::size_t>(low), static_cast<std::size_t>(high), position - low};
}

void Scaler::scaleRow(std::size_t i, GreyRows& source, std::uint8_t* out) const {
  std::memset(out, 255, width_);
  const Axis y = axis(i);
  // Samples past the page count as black.
  const std::uint8_t* top = y.low < height_ ? source.row(y.low) : black_.data();
  const std::uint8_t* bottom = y.high == y.low ? top : y.high < height_ ? source.row(y.high) : black_.data();
  for (std::size_t j = 0; j < columns_; ++j) {
    const Axis& x = xs_[j];
    const double a = x.low < width_ ? top[x.low] : 0.0;
    const double b = x.high < width_ ? top[x.high] : 0.0;
    const double c = x.low < width_ ? bottom[x.low] : 0.0;
    const double d = x.high < width_ ? bottom[x.high] : 0.0;
    const double upper = a + (b - a) * x.weight;
    const double lower = c + (d - c) * x.weight;
    const double value = upper + (lower - upper) * y.weight;
    out[j] = static_cast<std::uint8_t>(std::clamp(value, 0.0, 255.0));
  }
}

}  // namespace printfilter
