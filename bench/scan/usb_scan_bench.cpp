// Figures of whole USB scans through the scanner model: 600 dpi grey A4
// pages (4864 x 6882) from the simulated scanner on umockdev, saved as JPEG
// files and as one PDF, against TurboJPEG's decode + encode of the same pages
// alone and against the page reads alone; and the scan's peak memory for a
// few pages and for all of them.
//
//   scan_usb_bench [pages [work-folder]]      (defaults: 20, a new folder in /tmp)
//
// It runs itself under umockdev-wrapper when started without it. The
// simulator answers in this process, on umockdev's thread: it keeps the one
// page it sends (made before any figure is taken) and builds one block at a
// time, so it adds nothing that grows with the page count. Each time is the
// best of three rounds, taken in turns.

#include <malloc.h>
#include <unistd.h>

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <memory>
#include <string>
#include <vector>

#include "bench_support.h"
#include "device/common/flavour.h"
#include "device/usb/device_handle.h"
#include "scan/scan_command.h"
#include "scan/scanner_discovery.h"
#include "scan/scanner_model.h"
#include "scan/usb_page_reader.h"
#include "sim/usb/scanner.h"

namespace {

using namespace scanbench;
namespace fs = std::filesystem;

// The simulated scanner sending `pages` copies of `page` in the largest blocks.
struct SimulatedScanner {
  SimulatedScanner(const std::shared_ptr<const Bytes>& page, int pages) {
    sim::usb::ScannerScript script;
    script.blockSize = sim::usb::kLargestBlock;
    script.stream = sim::usb::pagesThenEnd(std::vector(static_cast<std::size_t>(pages), page));
    scanner = std::make_unique<sim::usb::Scanner>(bed.addDevice(sim::usb::ktr6620lxvScanner()), std::move(script));
  }
  sim::usb::Testbed bed;
  std::unique_ptr<sim::usb::Scanner> scanner;
};

struct ScanFigures {
  double seconds = 1e9;
  double peakMiB = 0;
  std::string alert;
};

ScanFigures usbScan(const std::shared_ptr<const Bytes>& page, int pages, bool pdf, const fs::path& saveDir) {
  fs::create_directories(saveDir);
  SimulatedScanner simulated(page, pages);
  ScanFigures figures;
  quiet([&] {
    // The scanner as discovery finds it; the application's own transport.
    scan::ScannerModel model(scan::getDeviceByIOUSB().at(0));
    scan::UIParams choices;
    choices.scanSourceIndex = 1;  // ADF
    choices.colorModeIndex = 1;   // GRAY256
    choices.resolutionIndex = 2;  // 600dpi
    choices.pageSizeIndex = 0;    // A4
    choices.saveTypeIndex = pdf ? 1 : 0;
    choices.savePrefix = choices.saveFileName = "file";
    choices.saveDir = saveDir.string();
    resetPeakMemory();
    figures.seconds = seconds([&] { model.startScan(choices); });
    figures.peakMiB = peakMemoryMiB();
    figures.alert = model.alertTitle().toStdString() + " / " + model.alertMessage().toStdString();
  });
  return figures;
}

// The same transfers read with the page reader and dropped: what the USB
// road costs without the page files.
double readsAlone(const std::shared_ptr<const Bytes>& page, int pages) {
  SimulatedScanner simulated(page, pages);
  double total = 0;
  quiet([&] {
    const auto scanner = device::usb::createDevice(device::usb::VendorId(0x5A3E), device::usb::ProductId(52));
    auto interfaces = scanner.createInterfaceInterfaces();
    auto& scanInterface = interfaces.at(1);
    scanInterface.open();
    scan::ScanParam param;
    param.mode = "GRAY256";
    scanInterface.write(scan::ScanCommand(param).getXCommand(), 1);
    scan::InterfacePagePipe pipe(scanInterface, 2);
    total = seconds([&] {
      while (!scan::readImages(pipe).isFinished) {
      }
    });
  });
  return total;
}

// umockdev's preloaded library must be there from the start of the process.
void runUnderUmockdev(char** argv) {
  const char* preload = std::getenv("LD_PRELOAD");
  if (preload != nullptr && std::string(preload).find("umockdev-preload") != std::string::npos) return;
  const std::string self = fs::read_symlink("/proc/self/exe").string();
  std::vector<char*> args{const_cast<char*>("umockdev-wrapper"), const_cast<char*>(self.c_str())};
  for (char** arg = argv + 1; *arg != nullptr; ++arg) args.push_back(*arg);
  args.push_back(nullptr);
  ::execvp(args[0], args.data());
  std::perror("umockdev-wrapper");
  std::exit(1);
}

}  // namespace

int main(int argc, char** argv) {
  runUnderUmockdev(argv);
  device::setFlavour(device::Flavour::Scanner);
  // Large blocks straight from and back to the system, so that the resident
  // size tells what a step holds.
  mallopt(M_MMAP_THRESHOLD, 1 << 20);
  mallopt(M_TRIM_THRESHOLD, 1 << 20);
  const int pages = argc > 1 ? std::max(2, std::atoi(argv[1])) : 20;
  const int fewPages = std::max(1, pages / 4);
  const fs::path work = argc > 2 ? fs::path(argv[2]) : fs::temp_directory_path() / "scan-usb-bench";
  fs::remove_all(work);
  fs::create_directories(work);

  const auto page = std::make_shared<const Bytes>(turboEncode(scannedPage(false), 85));
  std::printf("USB scan, %d pages of %d x %d grey (600 dpi A4), %zu KiB each as sent in blocks of %u bytes,\n"
              "work folder %s\n\n",
              pages, kWidth, kHeight, page->size() / 1024, static_cast<unsigned>(sim::usb::kLargestBlock),
              work.c_str());

  turboDecodeEncode(*page, true);  // warm-up: libraries loaded, memory mapped
  constexpr int kRounds = 3;
  double alone = 1e9;
  double reads = 1e9;
  ScanFigures best[2];
  double fewPeak[2] = {0, 0};
  for (int round = 0; round < kRounds; ++round) {
    alone = std::min(alone, seconds([&] {
      for (int i = 0; i < pages; ++i) turboDecodeEncode(*page, true);
    }));
    reads = std::min(reads, readsAlone(page, pages));
    for (const bool pdf : {false, true}) {
      const std::string kind = pdf ? "pdf-" : "jpeg-";
      const ScanFigures all = usbScan(page, pages, pdf, work / (kind + std::to_string(round)));
      ScanFigures& kept = best[pdf ? 1 : 0];
      if (all.seconds < kept.seconds) kept = all;
      if (round == 0) fewPeak[pdf ? 1 : 0] = usbScan(page, fewPages, pdf, work / (kind + "few")).peakMiB;
    }
    fs::remove_all(work);
  }

  std::printf("%-38s %9s %9s %7s %16s %16s\n", "", "seconds", "pages/s", "ratio",
              ("+peak MiB, " + std::to_string(fewPages) + " p").c_str(),
              ("+peak MiB, " + std::to_string(pages) + " p").c_str());
  std::printf("%-38s %9.2f %9.2f %7s\n", "decode + encode alone (TurboJPEG q20)", alone, pages / alone, "1.00");
  std::printf("%-38s %9.2f %9.2f %7.2f\n", "page reads alone (simulator, reader)", reads, pages / reads,
              reads / alone);
  for (const bool pdf : {false, true}) {
    const ScanFigures& all = best[pdf ? 1 : 0];
    std::printf("%-38s %9.2f %9.2f %7.2f %16.0f %16.0f   (%s)\n", pdf ? "scan to PDF" : "scan to JPEG files",
                all.seconds, pages / all.seconds, all.seconds / alone, fewPeak[pdf ? 1 : 0], all.peakMiB,
                all.alert.c_str());
  }
  fs::remove_all(work);
  return 0;
}
