#pragma once
// The scan's PDF: one page per JPEG page (or sheet) file, each file embedded
// as it is.

#include <chrono>
#include <functional>
#include <string>

#include "scan/result.h"
#include "scan/scan_param.h"

namespace scan {

// The one reading of the clock that names the PDF.
using Clock = std::function<std::chrono::system_clock::time_point()>;
std::chrono::system_clock::time_point systemNow();

struct MediaBox {
  int width = 0;   // points
  int height = 0;
  friend bool operator==(const MediaBox&, const MediaBox&) = default;
};

// By the page-size text ("A4", "A5", "B5(JIS)", "Letter"; any other text A4),
// landscape when rotateAngle is 90 or the pages were merged side by side.
MediaBox mediaBox(const std::string& pageSize, const ScanParam& param);

// Writes pdfDir/yyyyMMddHHmmss.pdf (local time of `clock`) from the files
// filePath-0001.jpg .. filePath-%04d.jpg (pages), each drawn over the whole
// media box. The file appears only when complete; a PDF of that name already
// there is kept and the new one takes the name with "-1", "-2", ... added.
// A missing or unreadable page file, or a failed write, leaves no PDF and
// answers (false, "saveImageError"): the page files are then the only copy.
ResultPair save2PDF(const ScanParam& param, long long pages, const std::string& pdfDir,
                    const std::string& pageSize, const Clock& clock = systemNow);

}  // namespace scan
