// The pages of scripts/try-scanner's simulated scanners: of the scan's own
// area and resolution in every colour mode, so that what the window makes of
// them (merged sheets, PDF pages) is judged on pages a scanner would send.
#include <gtest/gtest.h>

#include <QImage>

#include "try_pages.h"

namespace {

TEST(TryPages, FillTheScanAreaInEveryMode) {
  const trytool::SamplePages samples;
  const struct {
    const char* mode;
    std::int64_t width;
    std::int64_t rows;
    bool grey;
  } cases[] = {
      {"CGRAY", 1654, 2339, false},    // A4 at 200 dpi
      {"GRAY256", 1748, 2480, true},   // A5 at 300 dpi
      {"CGRAY", 4960, 3508, false},    // landscape-shaped: wider than high
      {"TEXT", 1657, 2339, true},      // rows of whole bytes: 1656 pixels
  };
  for (const auto& c : cases) {
    const std::vector<trytool::Bytes> pages = samples.pagesFor(sim::ScanRequest{c.mode, c.width, c.rows});
    ASSERT_EQ(pages.size(), 2u) << c.mode;
    for (const trytool::Bytes& page : pages) {
      if (std::string(c.mode) == "TEXT") {
        EXPECT_EQ(page.size(), static_cast<std::size_t>(c.width / 8 * c.rows));
        EXPECT_NE(std::count(page.begin(), page.end(), 0xFF), static_cast<long>(page.size())) << "a blank page";
        continue;
      }
      const QImage picture = QImage::fromData(page.data(), static_cast<int>(page.size()), "JPEG");
      ASSERT_FALSE(picture.isNull()) << c.mode;
      EXPECT_EQ(picture.size(), QSize(static_cast<int>(c.width), static_cast<int>(c.rows))) << c.mode;
      EXPECT_EQ(picture.isGrayscale(), c.grey) << c.mode;
      // Paper beyond the picture is white; the picture starts at the top left.
      EXPECT_GT(qGray(picture.pixel(picture.width() - 2, picture.height() - 2)), 240) << c.mode;
      EXPECT_LT(qGray(picture.pixel(10, 10)), 200) << c.mode;
    }
  }
}

}  // namespace
