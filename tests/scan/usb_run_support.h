#pragma once
// Helpers of the USB scan-run tests: short page reads, the simulated
// scanner's scripts, and checks on the run's log.

#include <QSize>
#include <gtest/gtest.h>

#include <cstddef>
#include <initializer_list>
#include <memory>
#include <ostream>
#include <string>
#include <vector>

#include "scan/conversation/usb_scan_process.h"
#include "sim/usb/scanner.h"

namespace scan {
inline void PrintTo(const ResultPair& result, std::ostream* out) {
  *out << "(" << (result.status ? "true" : "false") << ", \"" << result.message << "\")";
}
}  // namespace scan

namespace usbtest {

using Bytes = std::vector<std::uint8_t>;

// Short enough that a silent scanner fails a test in a moment, long enough
// that a busy machine does not fail a scan that is going well.
inline constexpr scan::UsbScanTimeouts kShortReads{400, 800};

std::shared_ptr<const Bytes> share(Bytes bytes);
// JPEG pages showing the numbers 1..count (scantest's grid).
std::vector<std::shared_ptr<const Bytes>> jpegPages(int count, QSize size);
// The scanner accepting everything and sending these pages, then the job end.
sim::usb::ScannerScript script(const std::vector<std::shared_ptr<const Bytes>>& pages);

// Every line of `wanted` is a line of `log`, in this order.
bool linesInOrder(const std::string& log, std::initializer_list<std::string> wanted);
std::size_t countLines(const std::string& log, const std::string& line);

// The base of the USB scan tests: the simulated bus (the test is skipped
// outside umockdev-wrapper) and the scanner a test puts on it.
class UsbScannerTest : public ::testing::Test {
 protected:
  void SetUp() override {
    if (!bed.active()) GTEST_SKIP() << "needs umockdev: run under umockdev-wrapper";
  }

  // Puts a scanner on the bus that answers as `script` says.
  void attachScanner(sim::usb::ScannerScript script,
                     const sim::usb::DeviceConfig& config = sim::usb::ktr6620lxvScanner()) {
    device = &bed.addDevice(config);
    scanner = std::make_unique<sim::usb::Scanner>(*device, std::move(script));
  }
  std::size_t closeRequests() const { return scanner->requests(sim::usb::kCloseRequest).size(); }

  sim::usb::Testbed bed;
  sim::usb::Device* device = nullptr;
  std::unique_ptr<sim::usb::Scanner> scanner;
};

}  // namespace usbtest
