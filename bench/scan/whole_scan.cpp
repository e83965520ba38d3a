#include "whole_scan.h"

#include <malloc.h>

#include <algorithm>
#include <cstdio>
#include <cstdlib>

#include "device/common/flavour.h"

namespace scanbench {

namespace fs = std::filesystem;

WholeScanArgs startWholeScanBench(int argc, char** argv, const std::string& defaultFolder) {
  device::setFlavour(device::Flavour::Scanner);
  mallopt(M_MMAP_THRESHOLD, 1 << 20);
  mallopt(M_TRIM_THRESHOLD, 1 << 20);
  WholeScanArgs args;
  args.pages = argc > 1 ? std::max(2, std::atoi(argv[1])) : 20;
  args.fewPages = std::max(1, args.pages / 4);
  args.work = argc > 2 ? fs::path(argv[2]) : fs::temp_directory_path() / defaultFolder;
  fs::remove_all(args.work);
  fs::create_directories(args.work);
  return args;
}

ScanFigures timedScan(scan::ScannerModel& model, std::int64_t sourceIndex, bool pdf, const fs::path& saveDir) {
  scan::UIParams choices;
  choices.scanSourceIndex = sourceIndex;
  choices.colorModeIndex = 1;   // GRAY256
  choices.resolutionIndex = 2;  // 600dpi
  choices.pageSizeIndex = 0;    // A4
  choices.saveTypeIndex = pdf ? 1 : 0;
  choices.savePrefix = choices.saveFileName = "file";
  choices.saveDir = saveDir.string();
  ScanFigures figures;
  resetPeakMemory();
  quiet([&] { figures.seconds = seconds([&] { model.startScan(choices); }); });
  figures.peakMiB = peakMemoryMiB();
  figures.alert = model.alertTitle().toStdString() + " / " + model.alertMessage().toStdString();
  return figures;
}

void compareScans(const WholeScanArgs& args, const Bytes& page, const ScanRun& scan,
                  const std::optional<OtherRoad>& other) {
  turboDecodeEncode(page, true);  // warm-up: libraries loaded, memory mapped
  constexpr int kRounds = 3;
  double alone = 1e9;
  double otherSeconds = 1e9;
  ScanFigures best[2];
  double fewPeak[2] = {0, 0};
  for (int round = 0; round < kRounds; ++round) {
    alone = std::min(alone, seconds([&] {
      for (int i = 0; i < args.pages; ++i) turboDecodeEncode(page, true);
    }));
    if (other) otherSeconds = std::min(otherSeconds, other->seconds(args.pages));
    for (const bool pdf : {false, true}) {
      const std::string kind = pdf ? "pdf-" : "jpeg-";
      const ScanFigures all = scan(args.pages, pdf, args.work / (kind + std::to_string(round)));
      ScanFigures& kept = best[pdf ? 1 : 0];
      if (all.seconds < kept.seconds) kept = all;
      if (round == 0) fewPeak[pdf ? 1 : 0] = scan(args.fewPages, pdf, args.work / (kind + "few")).peakMiB;
    }
    fs::remove_all(args.work);
  }

  std::printf("%-38s %9s %9s %7s %16s %16s\n", "", "seconds", "pages/s", "ratio",
              ("+peak MiB, " + std::to_string(args.fewPages) + " p").c_str(),
              ("+peak MiB, " + std::to_string(args.pages) + " p").c_str());
  std::printf("%-38s %9.2f %9.2f %7s\n", "decode + encode alone (TurboJPEG q20)", alone, args.pages / alone, "1.00");
  if (other) {
    std::printf("%-38s %9.2f %9.2f %7.2f\n", other->label.c_str(), otherSeconds, args.pages / otherSeconds,
                otherSeconds / alone);
  }
  for (const bool pdf : {false, true}) {
    const ScanFigures& all = best[pdf ? 1 : 0];
    std::printf("%-38s %9.2f %9.2f %7.2f %16.0f %16.0f   (%s)\n", pdf ? "scan to PDF" : "scan to JPEG files",
                all.seconds, args.pages / all.seconds, all.seconds / alone, fewPeak[pdf ? 1 : 0], all.peakMiB,
                all.alert.c_str());
  }
  fs::remove_all(args.work);
}

}  // namespace scanbench
