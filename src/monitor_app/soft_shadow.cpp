#include "monitor_app/soft_shadow.h"

#include <algorithm>
#include <array>
#include <cstdint>
#include <vector>

namespace monitor_app {
namespace {

// One box pass along a line of `count` pixels `stride` apart, every
// channel, edges held at transparent.
void boxPass(std::uint8_t* first, int count, int stride, int radius, std::vector<std::array<int, 4>>& scratch) {
  scratch.assign(static_cast<std::size_t>(count), {});
  for (int i = 0; i < count; ++i) {
    const std::uint8_t* pixel = first + static_cast<std::ptrdiff_t>(i) * stride;
    for (std::size_t c = 0; c < 4; ++c) {
      scratch[static_cast<std::size_t>(i)][c] = pixel[c];
    }
  }
  const int width = 2 * radius + 1;
  std::array<int, 4> sum{};
  for (int i = -radius; i <= radius; ++i) {
    if (i >= 0 && i < count) {
      for (std::size_t c = 0; c < 4; ++c) sum[c] += scratch[static_cast<std::size_t>(i)][c];
    }
  }
  for (int i = 0; i < count; ++i) {
    std::uint8_t* pixel = first + static_cast<std::ptrdiff_t>(i) * stride;
    for (std::size_t c = 0; c < 4; ++c) {
      pixel[c] = static_cast<std::uint8_t>(sum[c] / width);
    }
    const int leaving = i - radius;
    const int entering = i + radius + 1;
    for (std::size_t c = 0; c < 4; ++c) {
      if (leaving >= 0) sum[c] -= scratch[static_cast<std::size_t>(leaving)][c];
      if (entering < count) sum[c] += scratch[static_cast<std::size_t>(entering)][c];
    }
  }
}

}  // namespace

QImage softShadow(const QImage& shape, int radius) {
  QImage image = shape.convertToFormat(QImage::Format_ARGB32_Premultiplied);
  if (radius < 1 || image.isNull()) {
    return image;
  }
  // Three box passes of half the radius come close to a Gaussian of about
  // the radius.
  const int passRadius = std::max(1, radius / 2);
  std::vector<std::array<int, 4>> scratch;
  const int width = image.width();
  const int height = image.height();
  const auto line = static_cast<int>(image.bytesPerLine());
  for (int pass = 0; pass < 3; ++pass) {
    for (int y = 0; y < height; ++y) {
      boxPass(image.scanLine(y), width, 4, passRadius, scratch);
    }
    for (int x = 0; x < width; ++x) {
      boxPass(image.bits() + static_cast<std::ptrdiff_t>(x) * 4, height, line, passRadius, scratch);
    }
  }
  return image;
}

}  // namespace monitor_app
