#include "printfilter/raster_check.h"

namespace printfilter {

std::optional<std::string> rasterHeaderProblem(const cups_page_header2_t& h) {
  const bool grey = h.cupsColorSpace == CUPS_CSPACE_W || h.cupsColorSpace == CUPS_CSPACE_SW;
  if (h.cupsBitsPerColor != 8 || h.cupsBitsPerPixel != 8 || !grey)
    return "raster page is not 8-bit grey (cupsBitsPerColor " + std::to_string(h.cupsBitsPerColor) +
           ", cupsBitsPerPixel " + std::to_string(h.cupsBitsPerPixel) + ", cupsColorSpace " +
           std::to_string(static_cast<unsigned>(h.cupsColorSpace)) + ")";
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
