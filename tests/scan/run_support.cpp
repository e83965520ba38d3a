#include "run_support.h"

#include "support.h"

namespace runtest {

device::tcp::ChannelOptions channel(std::chrono::milliseconds read) {
  device::tcp::ChannelOptions options;
  options.connectTimeout = 1000ms;
  options.ioTimeout = read;
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

Bytes bytesOf(const std::string& text) { return Bytes(text.begin(), text.end()); }
std::string textOf(const Bytes& bytes) { return std::string(bytes.begin(), bytes.end()); }

}  // namespace runtest
