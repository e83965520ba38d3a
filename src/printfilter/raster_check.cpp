#include "printfilter/raster_check.h"

#include <cstdint>
#include <cstring>

namespace printfilter {

namespace {

// The header holds the colour space as the stream's bytes gave it, any
// number at all; read as the enumeration type a value outside it would be
// undefined, so it is compared as the number it is.
std::uint32_t colorSpaceOf(const cups_page_header2_t& h) {
  static_assert(sizeof h.cupsColorSpace == sizeof(std::uint32_t));
  std::uint32_t raw = 0;
  std::memcpy(&raw, &h.cupsColorSpace, sizeof raw);
  return raw;
}

}  // namespace

std::optional<std::string> rasterHeaderProblem(const cups_page_header2_t& h) {
  const std::uint32_t colorSpace = colorSpaceOf(h);
  const bool grey = colorSpace == CUPS_CSPACE_W || colorSpace == CUPS_CSPACE_SW;
  if (h.cupsBitsPerColor != 8 || h.cupsBitsPerPixel != 8 || !grey)
    return "raster page is not 8-bit grey (cupsBitsPerColor " + std::to_string(h.cupsBitsPerColor) +
           ", cupsBitsPerPixel " + std::to_string(h.cupsBitsPerPixel) + ", cupsColorSpace " +
           std::to_string(colorSpace) + ")";
  if (h.cupsWidth == 0 || h.cupsHeight == 0)
    return "raster page has no pixels (" + std::to_string(h.cupsWidth) + "x" + std::to_string(h.cupsHeight) + ")";
  if (h.cupsWidth > kMaxPageSide || h.cupsHeight > kMaxPageSide)
    return "raster page is too large (" + std::to_string(h.cupsWidth) + "x" + std::to_string(h.cupsHeight) +
           ", at most " + std::to_string(kMaxPageSide) + " pixels a side)";
  if (h.cupsBytesPerLine < h.cupsWidth || h.cupsBytesPerLine > kMaxPageSide)
    return "raster page rows do not fit its width (cupsBytesPerLine " + std::to_string(h.cupsBytesPerLine) +
           ", cupsWidth " + std::to_string(h.cupsWidth) + ")";
  return std::nullopt;
}

}  // namespace printfilter
