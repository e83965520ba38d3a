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
//
// The interpolation is separable and in fixed point: each source row the
// image needs is scaled across once, with column weights worked out per
// page, and two such rows are mixed down. Weights carry 12 bits: a result
// can differ from the truncated exact value only where that value lies
// within 1/16 of a grey level of a whole number, and then by one level.
class Scaler {
 public:
  Scaler(std::size_t width, std::size_t height, double ratio);

  // Logs the ratio and the scaled size, as a page's scaling starts.
  void logStart(Log& log) const;

  bool identity() const { return ratio_ == 1.0; }
  // Destination rows that hold scaled image; rows from here on are white.
  std::size_t imageRows() const { return rows_; }
  std::size_t imageColumns() const { return columns_; }

  // Destination row i (< imageRows(), asked in rising order) into `out`
  // (width bytes).
  void scaleRow(std::size_t i, GreyRows& source, std::uint8_t* out);

 private:
  static constexpr unsigned kWeightBits = 12;
  static constexpr std::uint32_t kOne = 1U << kWeightBits;

  // The two source samples of one destination position and their weights
  // (summing to kOne, or less where a sample lies past the page).
  struct Taps {
    std::vector<std::uint32_t> low, high;
    std::vector<std::uint32_t> lowWeight, highWeight;
  };
  Taps taps(std::size_t count, std::size_t limit) const;

  // Source row y scaled across (columns_ values, each kOne times a grey).
  const std::uint32_t* across(std::size_t y, std::size_t keep, GreyRows& source);

  std::size_t width_, height_;
  double ratio_;
  std::size_t columns_, rows_;
  Taps xs_, ys_;
  // Every column falls on a source pixel (weight kOne on its lower sample).
  bool columnsOnPixels_ = false;
  // The last two source rows scaled across, and which rows they are.
  std::vector<std::uint32_t> across_[2];
  std::size_t acrossRow_[2];
};

}  // namespace printfilter
