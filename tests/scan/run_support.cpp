#include "run_support.h"

#include <stdexcept>

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

Bytes withDeclaredSize(Bytes jpeg, int width, int height) {
  for (std::size_t i = 2; i + 9 < jpeg.size(); ++i) {
    if (jpeg[i] == 0xFF && (jpeg[i + 1] == 0xC0 || jpeg[i + 1] == 0xC2)) {
      jpeg[i + 5] = static_cast<std::uint8_t>(height >> 8);
      jpeg[i + 6] = static_cast<std::uint8_t>(height & 0xFF);
      jpeg[i + 7] = static_cast<std::uint8_t>(width >> 8);
      jpeg[i + 8] = static_cast<std::uint8_t>(width & 0xFF);
      return jpeg;
    }
  }
  throw std::runtime_error("no frame header in the JPEG");
}

}  // namespace runtest
