#pragma once

// Raster input for the filter, written at test time with libcups's own
// writer (compressed, as the print service's raster filters write it).

#include <cups/raster.h>

#include <cstddef>
#include <cstdint>
#include <functional>
#include <string>
#include <vector>

namespace fixture {

// An 8-bit grey page, 0 black, 255 white.
struct GreyPage {
  unsigned width = 0;
  unsigned height = 0;
  std::vector<std::uint8_t> pixels;

  std::uint8_t at(std::size_t x, std::size_t y) const { return pixels[y * width + x]; }
};

GreyPage uniformPage(unsigned width, unsigned height, std::uint8_t grey);
GreyPage drawnPage(unsigned width, unsigned height, const std::function<std::uint8_t(unsigned x, unsigned y)>& grey);
// Pseudo-random greys from `seed`, the same page for the same seed; it
// compresses badly, so its page files and records are large.
GreyPage noisePage(unsigned width, unsigned height, std::uint32_t seed);

// The header of an 8-bit grey page at 600 dpi (colour space SW, as the
// queue's PPD asks for).
cups_page_header2_t greyHeader(unsigned width, unsigned height);

// Headers of pages the filter must refuse: 1-bit black, 24-bit RGB.
void makeOneBitBlack(cups_page_header2_t& header);
void makeRgb(cups_page_header2_t& header);
// A colour space number that names none (as the stream's bytes may hold).
void setRawColorSpace(cups_page_header2_t& header, std::uint32_t value);

// One page as written: a header (possibly hostile) and the rows to write,
// each header.cupsBytesPerLine bytes; fewer rows than cupsHeight make a
// raster that ends early.
struct RasterPage {
  cups_page_header2_t header;
  std::vector<std::vector<std::uint8_t>> rows;
};

RasterPage rasterPage(const GreyPage& page);

enum class Encoding { Compressed, Plain };

// The bytes of a raster stream holding the pages: compressed ("RaS2"), or
// plain ("RaS3", as Ghostscript's raster device writes it).
std::string rasterBytes(const std::vector<RasterPage>& pages, Encoding encoding = Encoding::Compressed);
std::string rasterBytes(const std::vector<GreyPage>& pages, Encoding encoding = Encoding::Compressed);

}  // namespace fixture
