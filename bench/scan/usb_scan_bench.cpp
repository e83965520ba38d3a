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

#include <unistd.h>

#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "device/usb/device_handle.h"
#include "scan/conversation/scan_command.h"
#include "scanner/scanner_discovery.h"
#include "scanner/scanner_model.h"
#include "scan/conversation/usb_page_reader.h"
#include "sim/usb/scanner.h"
#include "whole_scan.h"

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

ScanFigures usbScan(const std::shared_ptr<const Bytes>& page, int pages, bool pdf, const fs::path& saveDir) {
  fs::create_directories(saveDir);
  SimulatedScanner simulated(page, pages);
  // The scanner as discovery finds it; the application's own transport.
  std::optional<scan::ScannerModel> model;
  quiet([&] { model.emplace(scan::getDeviceByIOUSB().at(0)); });
  return timedScan(*model, 1, pdf, saveDir);  // from the feeder
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
  const WholeScanArgs args = startWholeScanBench(argc, argv, "scan-usb-bench");
  const auto page = std::make_shared<const Bytes>(turboEncode(scannedPage(false), 85));
  std::printf("USB scan, %d pages of %d x %d grey (600 dpi A4), %zu KiB each as sent in blocks of %u bytes,\n"
              "work folder %s\n\n",
              args.pages, kWidth, kHeight, page->size() / 1024, static_cast<unsigned>(sim::usb::kLargestBlock),
              args.work.c_str());
  compareScans(
      args, *page,
      [&](int pages, bool pdf, const fs::path& saveDir) { return usbScan(page, pages, pdf, saveDir); },
      OtherRoad{"page reads alone (simulator, reader)", [&](int pages) { return readsAlone(page, pages); }});
  return 0;
}
