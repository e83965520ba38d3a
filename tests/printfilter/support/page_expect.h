#pragma once

// What the printer should get for a grey page: the reference halftone the
// decoded pages are compared with, bit for bit.

#include <cstdint>
#include <functional>
#include <string>

#include "jobstream.h"
#include "raster_fixture.h"

namespace fixture {

// Black where grey <= threshold(x, y); bits past the width stay 0.
jobstream::Bitmap thresholded(const GreyPage& page, const std::function<int(std::size_t, std::size_t)>& threshold);

// Darkness 0: the 4x4 matrix 56 168 104 40 / 120 200 248 184 / 152 216 232 136 / 8 72 88 24.
jobstream::Bitmap matrixHalftone(const GreyPage& page);

GreyPage turnedHalfARound(const GreyPage& page);

// Empty when equal, else where and how they differ.
std::string difference(const jobstream::Bitmap& actual, const jobstream::Bitmap& expected);

}  // namespace fixture
