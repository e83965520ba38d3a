#include "run_support.h"

#include <gtest/gtest.h>

#include "scan/pages/page_writer.h"
#include "support.h"

namespace runtest {

device::tcp::ChannelOptions channel(std::chrono::milliseconds read, std::chrono::milliseconds settle) {
  device::tcp::ChannelOptions options;
  options.connectTimeout = 1000ms;
  options.ioTimeout = read;
  options.settleTime = settle;
  return options;
}

Bytes jpegPage(int pageNo, QSize size, bool colour) {
  return scantest::jpegBytes(scantest::drawGrid(scantest::pageGrid(pageNo), size,
                                                colour ? QImage::Format_RGB888 : QImage::Format_Grayscale8));
}

Bytes textPage(int pageNo, QSize size) {
  return scantest::textRaster(scantest::pageGrid(pageNo), size.width(), size.height());
}

scan::Device networkScanner(const sim::scanner::ScannerSim& sim) {
  return scan::Device("KTR6620LXV", "KTR6620LXV(" + sim.address() + ")", scan::kTypeNet, sim.address(),
                      52, 0x5A3E);
}

void expectSavedAsWritten(const scan::ScanParam& param, const std::vector<Bytes>& pages,
                          const std::filesystem::path& received) {
  scantest::TempDir expected;
  scan::ScanParam reference = param;
  reference.filePath = expected.str() + "/file";
  ::testing::internal::CaptureStdout();
  for (std::size_t page = 0; page < pages.size(); ++page) {
    EXPECT_TRUE(scan::saveImages(reference, static_cast<long long>(page + 1), pages[page]).status) << page + 1;
  }
  ::testing::internal::GetCapturedStdout();
  const auto names = scantest::fileNames(expected.path());
  ASSERT_EQ(scantest::fileNames(received), names);
  for (const std::string& name : names) {
    EXPECT_EQ(scantest::fileBytes(received / name), scantest::fileBytes(expected.path() / name)) << name;
  }
}

Bytes bytesOf(const std::string& text) { return Bytes(text.begin(), text.end()); }
std::string textOf(const Bytes& bytes) { return std::string(bytes.begin(), bytes.end()); }

}  // namespace runtest
