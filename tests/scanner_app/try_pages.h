#pragma once
// The pages the simulated scanners of scripts/try-scanner send: two sample
// documents drawn here, as JPEG pictures small enough for every page size
// and resolution, or, for a black-and-white scan, as the device sends it:
// bare 1-bit rows of the scan area.

#include <QImage>
#include <cstdint>
#include <vector>

#include "sim/scan_request.h"

namespace trytool {

using Bytes = std::vector<std::uint8_t>;

class SamplePages {
 public:
  // Draws the pages; on the GUI thread, with a QGuiApplication (for the
  // text).
  SamplePages();

  // The two pages for what the host asked: 1-bit rows for a "TEXT" scan
  // with an area, the JPEG pictures otherwise. Safe on any thread: it
  // draws no text.
  std::vector<Bytes> pagesFor(const sim::ScanRequest& request) const;

 private:
  std::vector<Bytes> jpeg_;
  std::vector<QImage> grey_;  // the same pages in grey, twice as large
};

}  // namespace trytool
