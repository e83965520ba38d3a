#pragma once
// Turning the dialog's choices into one scan's parameters.

#include <cstdint>
#include <string>

#include "scan/scan_param.h"
#include "scanner/ui_params.h"

namespace scan {

struct ScanArea {
  std::int64_t w = 0;
  std::int64_t h = 0;
  friend bool operator==(const ScanArea&, const ScanArea&) = default;
};

// The scan area in dots by page-size and resolution text ("A4" ..., "200dpi"
// ...; other texts fall back to "A4" and "200dpi"). Mode "TEXT" at 200 dpi
// scans a fixed 1632 dots wide.
ScanArea scanArea(const std::string& pageSize, const std::string& resolution, const std::string& mode);

// The scan's ScanParam; its page files go to receiveDir + "/" + saveFileName.
// An index outside its option list counts as the list's first entry.
ScanParam setScanParameter(const UIParams& uiParam, const std::string& receiveDir);

}  // namespace scan
