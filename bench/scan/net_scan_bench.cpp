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

#include <sys/wait.h>
#include <unistd.h>

#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <string>

#include "scanner/scanner_model.h"
#include "sim/scanner/scanner_sim.h"
#include "whole_scan.h"

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

ScanFigures networkScan(const Bytes& page, int pages, bool pdf, const fs::path& saveDir) {
  fs::create_directories(saveDir);
  SimulatorProcess simulator(page, pages);
  const scan::Device scanner("KTR6620LXV", "KTR6620LXV(" + simulator.address() + ")", scan::kTypeNet,
                             simulator.address(), 52, 0x5A3E);
  scan::ScannerModel model(scanner);
  return timedScan(model, 0, pdf, saveDir);
}

}  // namespace

int main(int argc, char** argv) {
  const WholeScanArgs args = startWholeScanBench(argc, argv, "scan-net-bench");
  const Bytes page = turboEncode(scannedPage(false), 85);
  std::printf("network scan, %d pages of %d x %d grey (600 dpi A4), %zu KiB each as sent, work folder %s\n\n",
              args.pages, kWidth, kHeight, page.size() / 1024, args.work.c_str());
  compareScans(args, page, [&](int pages, bool pdf, const fs::path& saveDir) {
    return networkScan(page, pages, pdf, saveDir);
  });
  return 0;
}
