#pragma once
// The pages the simulated scanners of scripts/try-scanner send: two sample
// documents drawn here, each as large as the scan area allows on white
// paper of exactly the scan area, so that pages come in the size and
// resolution that was asked: JPEG pictures (grey ones for a grey scan), or,
// for a black-and-white scan, as the device sends it: bare 1-bit rows.

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

  // The two pages for what the host asked: 1-bit rows for a "TEXT" scan,
  // grey JPEG for "GRAY256", colour JPEG otherwise, all of the scan area;
  // a scan without an area gets the pictures at their drawn size. Safe on
  // any thread: it draws no text.
  std::vector<Bytes> pagesFor(const sim::ScanRequest& request) const;

 private:
  std::vector<QImage> colour_;  // Format_RGB888
  std::vector<QImage> grey_;    // the same pages in Format_Grayscale8
};

}  // namespace trytool
