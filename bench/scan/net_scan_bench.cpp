// Figures of whole network scans through the scanner model: 600 dpi grey A4
// pages (4864 x 6882) from the scanner simulator on loopback, saved as JPEG
// files and as one PDF, against TurboJPEG's decode + encode of the same pages
// alone, and the scan's peak memory for a few pages and for all of them.
//
//   scan_net_bench [pages [work-folder]]      (defaults: 20, a new folder in /tmp)
//
// The simulator runs in a child process, so the figures are the scanning
// process's own. Each time is the best of three rounds, taken in turns, so
// that other load on the machine weighs alike on all of them.

#include <malloc.h>
#include <sys/wait.h>
#include <unistd.h>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <string>

#include "bench_support.h"
#include "device/common/flavour.h"
#include "scan/scanner_model.h"
#include "sim/scanner/scanner_sim.h"

namespace {

using namespace scanbench;
namespace fs = std::filesystem;

// The simulator serving one scan of `pages` copies of `page`, in a child
// process; its address comes back through a pipe.
class SimulatorProcess {
 public:
  SimulatorProcess(const Bytes& page, int pages) {
    int channel[2];
    if (::pipe(channel) != 0) std::exit(1);
    pid_ = ::fork();
    if (pid_ == 0) {
      ::close(channel[0]);
      sim::scanner::Script script;
      script.pages.assign(static_cast<std::size_t>(pages), page);
      sim::scanner::ScannerSim sim(std::move(script));
      const std::string address = sim.address() + "\n";
      [[maybe_unused]] const auto written = ::write(channel[1], address.data(), address.size());
      ::close(channel[1]);
      sim.finish();
      std::_Exit(0);
    }
    ::close(channel[1]);
    char text[64] = {};
    [[maybe_unused]] const auto count = ::read(channel[0], text, sizeof text - 1);
    ::close(channel[0]);
    address_ = std::string(text).substr(0, std::string(text).find('\n'));
  }
  ~SimulatorProcess() {
    int status = 0;
    ::waitpid(pid_, &status, 0);
  }
  const std::string& address() const { return address_; }

 private:
  pid_t pid_ = -1;
  std::string address_;
};

struct ScanFigures {
  double seconds = 0;
  double peakMiB = 0;
  std::string alert;
};

ScanFigures networkScan(const Bytes& page, int pages, bool pdf, const fs::path& saveDir) {
  fs::create_directories(saveDir);
  SimulatorProcess simulator(page, pages);
  const scan::Device scanner("KTR6620LXV", "KTR6620LXV(" + simulator.address() + ")", scan::kTypeNet,
                             simulator.address(), 52, 0x5A3E);
  scan::ScannerModel model(scanner);
  scan::UIParams choices;
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

}  // namespace

int main(int argc, char** argv) {
  device::setFlavour(device::Flavour::Scanner);
  // Large blocks straight from and back to the system, so that the resident
  // size tells what a step holds.
  mallopt(M_MMAP_THRESHOLD, 1 << 20);
  mallopt(M_TRIM_THRESHOLD, 1 << 20);
  const int pages = argc > 1 ? std::max(2, std::atoi(argv[1])) : 20;
  const int fewPages = std::max(1, pages / 4);
  const fs::path work = argc > 2 ? fs::path(argv[2]) : fs::temp_directory_path() / "scan-net-bench";
  fs::remove_all(work);
  fs::create_directories(work);

  const Bytes page = turboEncode(scannedPage(false), 85);
  std::printf("network scan, %d pages of %d x %d grey (600 dpi A4), %zu KiB each as sent, work folder %s\n\n",
              pages, kWidth, kHeight, page.size() / 1024, work.c_str());

  turboDecodeEncode(page, true);  // warm-up: libraries loaded, memory mapped
  constexpr int kRounds = 3;
  double alone = 1e9;
  ScanFigures best[2] = {{1e9, 0, ""}, {1e9, 0, ""}};
  double fewPeak[2] = {0, 0};
  for (int round = 0; round < kRounds; ++round) {
    alone = std::min(alone, seconds([&] {
      for (int i = 0; i < pages; ++i) turboDecodeEncode(page, true);
    }));
    for (const bool pdf : {false, true}) {
      const std::string kind = pdf ? "pdf-" : "jpeg-";
      const ScanFigures all = networkScan(page, pages, pdf, work / (kind + std::to_string(round)));
      ScanFigures& kept = best[pdf ? 1 : 0];
      if (all.seconds < kept.seconds) kept = all;
      if (round == 0) fewPeak[pdf ? 1 : 0] = networkScan(page, fewPages, pdf, work / (kind + "few")).peakMiB;
    }
    fs::remove_all(work);
  }

  std::printf("%-38s %9s %9s %7s %16s %16s\n", "", "seconds", "pages/s", "ratio",
              ("+peak MiB, " + std::to_string(fewPages) + " p").c_str(),
              ("+peak MiB, " + std::to_string(pages) + " p").c_str());
  std::printf("%-38s %9.2f %9.2f %7s\n", "decode + encode alone (TurboJPEG q20)", alone, pages / alone, "1.00");
  for (const bool pdf : {false, true}) {
    const ScanFigures& all = best[pdf ? 1 : 0];
    std::printf("%-38s %9.2f %9.2f %7.2f %16.0f %16.0f   (%s)\n", pdf ? "scan to PDF" : "scan to JPEG files",
                all.seconds, pages / all.seconds, all.seconds / alone, fewPeak[pdf ? 1 : 0], all.peakMiB,
                all.alert.c_str());
  }
  fs::remove_all(work);
  return 0;
}
