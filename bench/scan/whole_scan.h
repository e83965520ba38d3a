#pragma once
// What the whole-scan benchmarks share: their command line, one timed scan of
// 600 dpi grey A4 pages through the scanner model, and the rounds and the
// table of figures.

#include <cstdint>
#include <filesystem>
#include <functional>
#include <optional>
#include <string>

#include "bench_support.h"
#include "scanner/scanner_model.h"

namespace scanbench {

struct WholeScanArgs {
  int pages = 20;
  int fewPages = 5;
  std::filesystem::path work;
};

// Reads `[pages [work-folder]]` (the folder defaults to `defaultFolder` in
// the temporary folder) and makes the work folder, empty. Fixes the
// scanner flavour, and has large blocks go straight from and back to the
// system, so that the resident size tells what a step holds.
WholeScanArgs startWholeScanBench(int argc, char** argv, const std::string& defaultFolder);

struct ScanFigures {
  double seconds = 1e9;
  double peakMiB = 0;
  std::string alert;
};

// One scan by `model` from source `sourceIndex` of grey 600 dpi A4 pages
// into `saveDir`, as JPEG files or one PDF: its time, its peak memory above
// what was resident before it, and the alert it ended with.
ScanFigures timedScan(scan::ScannerModel& model, std::int64_t sourceIndex, bool pdf,
                      const std::filesystem::path& saveDir);

// A whole scan of `pages` pages into a folder.
using ScanRun = std::function<ScanFigures(int pages, bool pdf, const std::filesystem::path& saveDir)>;

// A figure of another way the pages take, shown below decode + encode.
struct OtherRoad {
  std::string label;
  std::function<double(int pages)> seconds;
};

// Three rounds, taken in turns so that other load on the machine weighs
// alike on all figures: TurboJPEG's decode + encode of the pages alone, the
// other road, scans to JPEG files and to a PDF (the best time of each), and
// in the first round the peak memory of a scan of a few pages. Prints the
// table and removes the work folder.
void compareScans(const WholeScanArgs& args, const Bytes& page, const ScanRun& scan,
                  const std::optional<OtherRoad>& other = std::nullopt);

}  // namespace scanbench
