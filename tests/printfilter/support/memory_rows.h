#pragma once

// A grey page held in memory as a source of rows for the scaler and the
// halftoning, which remembers the furthest row it was asked for.

#include <algorithm>
#include <cstddef>
#include <cstdint>

#include "printfilter/scaling.h"
#include "raster_fixture.h"

namespace fixture {

class MemoryRows final : public printfilter::GreyRows {
 public:
  explicit MemoryRows(const GreyPage& page) : page_(page) {}
  const std::uint8_t* row(std::size_t y) override {
    highest = std::max(highest, y);
    return &page_.pixels[y * page_.width];
  }
  std::size_t highest = 0;

 private:
  const GreyPage& page_;
};

}  // namespace fixture
