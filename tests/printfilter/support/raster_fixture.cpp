#include "raster_fixture.h"

#include <sys/mman.h>
#include <unistd.h>

#include <cstring>
#include <stdexcept>

namespace fixture {

GreyPage uniformPage(unsigned width, unsigned height, std::uint8_t grey) {
  return GreyPage{width, height, std::vector<std::uint8_t>(std::size_t{width} * height, grey)};
}

GreyPage drawnPage(unsigned width, unsigned height, const std::function<std::uint8_t(unsigned, unsigned)>& grey) {
  GreyPage page{width, height, std::vector<std::uint8_t>(std::size_t{width} * height)};
  for (unsigned y = 0; y < height; ++y)
    for (unsigned x = 0; x < width; ++x) page.pixels[std::size_t{y} * width + x] = grey(x, y);
  return page;
}

GreyPage noisePage(unsigned width, unsigned height, std::uint32_t seed) {
  return drawnPage(width, height, [&](unsigned, unsigned) {
    seed = seed * 1103515245U + 12345U;
    return static_cast<std::uint8_t>(seed >> 24);
  });
}

cups_page_header2_t greyHeader(unsigned width, unsigned height) {
  cups_page_header2_t h;
  std::memset(&h, 0, sizeof h);
  std::strcpy(h.MediaClass, "PwgRaster");
  h.HWResolution[0] = h.HWResolution[1] = 600;
  h.PageSize[0] = width * 72 / 600;
  h.PageSize[1] = height * 72 / 600;
  h.cupsWidth = width;
  h.cupsHeight = height;
  h.cupsBitsPerColor = 8;
  h.cupsBitsPerPixel = 8;
  h.cupsBytesPerLine = width;
  h.cupsColorOrder = CUPS_ORDER_CHUNKED;
  h.cupsColorSpace = CUPS_CSPACE_SW;
  h.cupsNumColors = 1;
  return h;
}

void makeOneBitBlack(cups_page_header2_t& h) {
  h.cupsBitsPerColor = h.cupsBitsPerPixel = 1;
  h.cupsColorSpace = CUPS_CSPACE_K;
  h.cupsBytesPerLine = (h.cupsWidth + 7) / 8;
}

void makeRgb(cups_page_header2_t& h) {
  h.cupsBitsPerPixel = 24;
  h.cupsColorSpace = CUPS_CSPACE_RGB;
  h.cupsBytesPerLine = h.cupsWidth * 3;
}

void setRawColorSpace(cups_page_header2_t& h, std::uint32_t value) {
  static_assert(sizeof h.cupsColorSpace == sizeof value);
  std::memcpy(&h.cupsColorSpace, &value, sizeof value);
}

RasterPage rasterPage(const GreyPage& page) {
  RasterPage r{greyHeader(page.width, page.height), {}};
  for (unsigned y = 0; y < page.height; ++y) {
    const auto* row = &page.pixels[std::size_t{y} * page.width];
    r.rows.emplace_back(row, row + page.width);
  }
  return r;
}

std::string rasterBytes(const std::vector<RasterPage>& pages, Encoding encoding) {
  const int fd = memfd_create("raster", 0);
  if (fd < 0) throw std::runtime_error("memfd_create failed");
  cups_raster_t* raster =
      cupsRasterOpen(fd, encoding == Encoding::Compressed ? CUPS_RASTER_WRITE_COMPRESSED : CUPS_RASTER_WRITE);
  for (const RasterPage& page : pages) {
    cups_page_header2_t header = page.header;
    if (cupsRasterWriteHeader2(raster, &header) == 0) throw std::runtime_error("cupsRasterWriteHeader2 failed");
    for (const auto& row : page.rows) {
      std::vector<std::uint8_t> copy = row;
      cupsRasterWritePixels(raster, copy.data(), static_cast<unsigned>(copy.size()));
    }
  }
  cupsRasterClose(raster);
  const off_t size = lseek(fd, 0, SEEK_END);
  std::string bytes(static_cast<std::size_t>(size), '\0');
  if (pread(fd, bytes.data(), bytes.size(), 0) != size) throw std::runtime_error("reading the raster back failed");
  close(fd);
  return bytes;
}

std::string rasterBytes(const std::vector<GreyPage>& pages, Encoding encoding) {
  std::vector<RasterPage> raster;
  for (const GreyPage& page : pages) raster.push_back(rasterPage(page));
  return rasterBytes(raster, encoding);
}

}  // namespace fixture
