#include <gtest/gtest.h>
#include <sys/mman.h>
#include <unistd.h>

#include <cstdio>
#include <string>
#include <vector>

#include "printfilter/page_rows.h"
#include "raster_fixture.h"

namespace printfilter {
namespace {

// A raster stream in memory, opened for reading as the filter reads standard input.
class RasterReader {
 public:
  explicit RasterReader(const std::string& bytes) {
    fd_ = memfd_create("raster", 0);
    EXPECT_EQ(write(fd_, bytes.data(), bytes.size()), static_cast<ssize_t>(bytes.size()));
    lseek(fd_, 0, SEEK_SET);
    raster_ = cupsRasterOpen(fd_, CUPS_RASTER_READ);
  }
  ~RasterReader() {
    cupsRasterClose(raster_);
    close(fd_);
  }
  cups_page_header2_t header() {
    cups_page_header2_t h;
    EXPECT_EQ(cupsRasterReadHeader2(raster_, &h), 1U);
    return h;
  }
  cups_raster_t* get() { return raster_; }

 private:
  int fd_ = -1;
  cups_raster_t* raster_ = nullptr;
};

Log quietLog() { return Log(stderr, ProgressLanguage::None); }

std::string rowText(GreyRows& rows, std::size_t y, std::size_t width) {
  const std::uint8_t* row = rows.row(y);
  return std::string(row, row + width);
}

TEST(PageRows, LongEdgeBackSideIsTurnedHalfARound) {
  // Rows "ABCD" and "EFGH" are stored as "HGFE" then "DCBA".
  const auto page = fixture::drawnPage(4, 2, [](unsigned x, unsigned y) { return static_cast<std::uint8_t>('A' + y * 4 + x); });
  RasterReader raster(fixture::rasterBytes({page}));
  const auto header = raster.header();
  Log log = quietLog();
  RasterRowReader reader(raster.get(), header.cupsBytesPerLine, 2, log);
  TurnedPage turned(reader, 4, 2);
  EXPECT_EQ(rowText(turned, 0, 4), "HGFE");
  EXPECT_EQ(rowText(turned, 1, 4), "DCBA");
}

TEST(PageRows, OnlyEvenPagesOfLongEdgeJobsAreTurned) {
  EXPECT_TRUE(pageIsTurned(Sides::LongEdge, 2));
  EXPECT_TRUE(pageIsTurned(Sides::LongEdge, 4));
  EXPECT_FALSE(pageIsTurned(Sides::LongEdge, 1));
  EXPECT_FALSE(pageIsTurned(Sides::LongEdge, 3));
  EXPECT_FALSE(pageIsTurned(Sides::ShortEdge, 2));
  EXPECT_FALSE(pageIsTurned(Sides::OneSided, 2));
}

TEST(PageRows, StreamedRowsArriveAsReadAndTheNextPageFollows) {
  const auto first = fixture::drawnPage(3, 4, [](unsigned x, unsigned y) { return static_cast<std::uint8_t>('a' + y * 3 + x); });
  const auto second = fixture::uniformPage(5, 2, 'z');
  RasterReader raster(fixture::rasterBytes({first, second}));
  auto header = raster.header();
  Log log = quietLog();
  {
    RasterRowReader reader(raster.get(), header.cupsBytesPerLine, 4, log);
    StreamedRows rows(reader, 3);
    EXPECT_EQ(rowText(rows, 0, 3), "abc");
    EXPECT_EQ(rowText(rows, 1, 3), "def");
    rows.finish();  // rows 2 and 3 were not asked for
    EXPECT_FALSE(reader.endedEarly());
  }
  header = raster.header();
  EXPECT_EQ(header.cupsWidth, 5U);
  RasterRowReader reader(raster.get(), header.cupsBytesPerLine, 2, log);
  StreamedRows rows(reader, 5);
  EXPECT_EQ(rowText(rows, 1, 5), "zzzzz");
}

// Rows "kkkk", "llll", ... of which the stream holds only the first two: the
// compressing writer sends a row once the next one shows it is not repeated,
// so three rows are written for two to arrive.
fixture::RasterPage truncatedPage() {
  fixture::RasterPage page = fixture::rasterPage(
      fixture::drawnPage(4, 6, [](unsigned, unsigned y) { return static_cast<std::uint8_t>('k' + y); }));
  page.rows.resize(3);
  return page;
}

TEST(PageRows, RowsPastAnEarlyEndAreWhite) {
  RasterReader raster(fixture::rasterBytes(std::vector<fixture::RasterPage>{truncatedPage()}));
  const auto header = raster.header();
  Log log = quietLog();
  RasterRowReader reader(raster.get(), header.cupsBytesPerLine, 6, log);
  StreamedRows rows(reader, 4);
  EXPECT_EQ(rowText(rows, 0, 4), "kkkk");
  EXPECT_EQ(rowText(rows, 1, 4), "llll");
  for (std::size_t y = 2; y < 6; ++y) EXPECT_EQ(rowText(rows, y, 4), std::string(4, '\xff')) << y;
  EXPECT_TRUE(reader.endedEarly());
}

TEST(PageRows, TurnedPageRowsPastAnEarlyEndAreWhite) {
  RasterReader raster(fixture::rasterBytes(std::vector<fixture::RasterPage>{truncatedPage()}));
  const auto header = raster.header();
  Log log = quietLog();
  RasterRowReader reader(raster.get(), header.cupsBytesPerLine, 6, log);
  TurnedPage turned(reader, 4, 6);
  // The two rows read end up at the bottom; the top four were never sent.
  for (std::size_t y = 0; y < 4; ++y) EXPECT_EQ(rowText(turned, y, 4), std::string(4, '\xff')) << y;
  EXPECT_EQ(rowText(turned, 4, 4), "llll");
  EXPECT_EQ(rowText(turned, 5, 4), "kkkk");
}

}  // namespace
}  // namespace printfilter
