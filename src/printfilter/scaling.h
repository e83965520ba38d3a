#pragma once

#include <cstddef>
#include <cstdint>
#include <vector>

#include "printfilter/log.h"

namespace printfilter {

// Source of a page's grey rows, asked in rising order; the rows of the last
// two calls stay valid.
class GreyRows {
 public:
  virtual ~GreyRows() = default;
  virtual const std::uint8_t* row(std::size_t y) = 0;
};

// Scales a W x H grey page by `ratio` into a page of the same size: the
// scaled image stands in the top-left corner, cut at the right and bottom
// edges, the rest white. Each destination pixel is the bilinear interpolation
// of the four source pixels around (j / ratio, i / ratio), truncated; a
// source pixel outside the page counts as 0.
class Scaler {
 public:
  Scaler(std::size_t width, std::size_t height, double ratio);

  // Logs the ratio and the scaled size, as a page's scaling starts.
  void logStart(Log& log) const;

  bool identity() const { return ratio_ == 1.0; }
  // Destination rows that hold scaled image; rows from here on are white.
  std::size_t imageRows() const { return rows_; }
  std::size_t imageColumns() const { return columns_; }

  // Destination row i (< imageRows()) into `out` (width bytes).
  void scaleRow(std::size_t i, GreyRows& source, std::uint8_t* out) const;

 private:
  struct Axis {
    std::size_t low, high;  // the two source positions (may be past the page)
    double weight;          // of `high`: the distance from `low`
  };
  Axis axis(std::size_t destination) const;

  std::size_t width_, height_;
  double ratio_;
  std::size_t columns_, rows_;
  std::vector<Axis> xs_;
  std::vector<std::uint8_t> black_;
};

}  // namespace printfilter
