#pragma once

#include <cups/raster.h>

#include <optional>
#include <string>

namespace printfilter {

// Largest page side in pixels the filter takes (27 inches at 600 dpi); it
// keeps every page-sized product far inside size_t.
inline constexpr unsigned kMaxPageSide = 16384;

// What is wrong with a raster page header for this printer, or nothing when
// the page is 8-bit one-colour grey of a sane size whose rows hold its width.
std::optional<std::string> rasterHeaderProblem(const cups_page_header2_t& header);

}  // namespace printfilter
