#include "page_expect.h"

namespace fixture {

jobstream::Bitmap thresholded(const GreyPage& page, const std::function<int(std::size_t, std::size_t)>& threshold) {
  jobstream::Bitmap bitmap;
  bitmap.width = page.width;
  bitmap.height = page.height;
  bitmap.bits.assign(bitmap.bytesPerRow() * page.height, 0);
  for (std::size_t y = 0; y < page.height; ++y)
    for (std::size_t x = 0; x < page.width; ++x)
      if (page.at(x, y) <= threshold(x, y))
        bitmap.bits[y * bitmap.bytesPerRow() + x / 8] |= static_cast<std::uint8_t>(0x80U >> (x % 8));
  return bitmap;
}

jobstream::Bitmap matrixHalftone(const GreyPage& page) {
  static const int matrix[4][4] = {{56, 168, 104, 40}, {120, 200, 248, 184}, {152, 216, 232, 136}, {8, 72, 88, 24}};
  return thresholded(page, [](std::size_t x, std::size_t y) { return matrix[y % 4][x % 4]; });
}

GreyPage turnedHalfARound(const GreyPage& page) {
  return drawnPage(page.width, page.height,
                   [&](unsigned x, unsigned y) { return page.at(page.width - 1 - x, page.height - 1 - y); });
}

std::string difference(const jobstream::Bitmap& actual, const jobstream::Bitmap& expected) {
  if (actual.width != expected.width || actual.height != expected.height)
    return "size " + std::to_string(actual.width) + "x" + std::to_string(actual.height) + ", expected " +
           std::to_string(expected.width) + "x" + std::to_string(expected.height);
  std::size_t differing = 0;
  std::string first;
  for (std::size_t y = 0; y < actual.height; ++y)
    for (std::size_t x = 0; x < actual.width; ++x)
      if (actual.black(x, y) != expected.black(x, y)) {
        if (differing++ == 0)
          first = "pixel " + std::to_string(x) + "," + std::to_string(y) + " is " + (actual.black(x, y) ? "black" : "white");
      }
  if (differing == 0) return "";
  return std::to_string(differing) + " pixels differ; first " + first;
}

}  // namespace fixture
