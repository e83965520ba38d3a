#include <gtest/gtest.h>

#include <functional>

#include "printfilter/raster_check.h"
#include "raster_fixture.h"

namespace printfilter {
namespace {

struct HeaderCase {
  const char* name;
  std::function<void(cups_page_header2_t&)> change;
  const char* problem;  // part of the message, or null for an accepted header
};

class RasterHeader : public testing::TestWithParam<HeaderCase> {};

TEST_P(RasterHeader, AcceptedOnlyWhenTheFilterCanReadIt) {
  cups_page_header2_t header = fixture::greyHeader(4960, 7016);
  GetParam().change(header);
  const auto problem = rasterHeaderProblem(header);
  if (GetParam().problem == nullptr) {
    EXPECT_FALSE(problem) << *problem;
  } else {
    ASSERT_TRUE(problem);
    EXPECT_NE(problem->find(GetParam().problem), std::string::npos) << *problem;
  }
}

INSTANTIATE_TEST_SUITE_P(
    Headers, RasterHeader,
    testing::Values(
        HeaderCase{"GreySw", [](auto&) {}, nullptr},
        HeaderCase{"GreyW", [](auto& h) { h.cupsColorSpace = CUPS_CSPACE_W; }, nullptr},
        HeaderCase{"LargestPage",
                   [](auto& h) { h.cupsWidth = h.cupsHeight = h.cupsBytesPerLine = kMaxPageSide; }, nullptr},
        HeaderCase{"RowsLongerThanWidth", [](auto& h) { h.cupsBytesPerLine = h.cupsWidth + 8; }, nullptr},
        HeaderCase{"OneBitBlack",
                   fixture::makeOneBitBlack,
                   "not 8-bit grey"},
        HeaderCase{"Rgb",
                   fixture::makeRgb,
                   "not 8-bit grey"},
        HeaderCase{"ColorSpaceOutsideTheEnumeration", [](auto& h) { fixture::setRawColorSpace(h, 77); },
                   "cupsColorSpace 77)"},
        HeaderCase{"HugeColorSpace", [](auto& h) { fixture::setRawColorSpace(h, 4000000000U); },
                   "cupsColorSpace 4000000000)"},
        HeaderCase{"EightBitBlackIsNotGrey", [](auto& h) { h.cupsColorSpace = CUPS_CSPACE_K; }, "not 8-bit grey"},
        HeaderCase{"SixteenBitGrey",
                   [](auto& h) {
                     h.cupsBitsPerColor = h.cupsBitsPerPixel = 16;
                     h.cupsBytesPerLine = h.cupsWidth * 2;
                   },
                   "not 8-bit grey"},
        HeaderCase{"RowsShorterThanWidth", [](auto& h) { h.cupsBytesPerLine = h.cupsWidth / 2; }, "do not fit"},
        HeaderCase{"NoWidth", [](auto& h) { h.cupsWidth = 0; }, "no pixels"},
        HeaderCase{"NoHeight", [](auto& h) { h.cupsHeight = 0; }, "no pixels"},
        HeaderCase{"HugeWidth",
                   [](auto& h) { h.cupsWidth = h.cupsBytesPerLine = 0x80000000U; }, "too large"},
        HeaderCase{"HugeHeight", [](auto& h) { h.cupsHeight = 0xFFFFFFFFU; }, "too large"},
        HeaderCase{"HugeRows", [](auto& h) { h.cupsBytesPerLine = 0xFFFFFFF0U; }, "do not fit"}),
    [](const auto& tested) { return std::string(tested.param.name); });

}  // namespace
}  // namespace printfilter
