#include "bench_support.h"

#include <QColor>
#include <QLinearGradient>
#include <QPainter>
#include <turbojpeg.h>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <fcntl.h>
#include <fstream>
#include <memory>
#include <random>
#include <unistd.h>

namespace scanbench {

double seconds(const std::function<void()>& work) {
  const auto start = std::chrono::steady_clock::now();
  work();
  return std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
}

double statusMiB(const std::string& wanted) {
  std::ifstream status("/proc/self/status");
  std::string key;
  while (status >> key) {
    if (key == wanted) {
      double kib = 0;
      status >> kib;
      return kib / 1024.0;
    }
    status.ignore(1 << 12, '\n');
  }
  return -1;
}

namespace {
double residentAtReset = 0;
}  // namespace

void resetPeakMemory() {
  std::ofstream("/proc/self/clear_refs") << "5";
  residentAtReset = statusMiB("VmRSS:");
}
double peakMemoryMiB() { return statusMiB("VmHWM:") - residentAtReset; }

QImage scannedPage(bool colour) {
  QImage page(kWidth, kHeight, QImage::Format_RGB888);
  page.fill(QColor(246, 244, 238));
  QPainter painter(&page);
  std::mt19937 random(7);
  std::uniform_int_distribution<int> word(40, 260), ink(10, 70);
  for (int y = 500; y < 3600; y += 110) {
    for (int x = 400; x < kWidth - 500;) {
      const int w = word(random);
      painter.fillRect(x, y, w, 60, QColor(ink(random), ink(random), ink(random)));
      x += w + 50;
    }
  }
  QLinearGradient gradient(0, 3900, kWidth, 6400);
  gradient.setColorAt(0, QColor(200, 60, 40));
  gradient.setColorAt(1, QColor(30, 90, 210));
  painter.fillRect(400, 3900, kWidth - 800, 2500, gradient);
  painter.end();
  std::uniform_int_distribution<int> grain(-12, 12);
  for (int y = 3900; y < 6400; ++y) {
    uchar* line = page.scanLine(y);
    for (int x = 400 * 3; x < (kWidth - 400) * 3; ++x) line[x] = static_cast<uchar>(std::clamp(line[x] + grain(random), 0, 255));
  }
  return colour ? page : page.convertToFormat(QImage::Format_Grayscale8);
}

Bytes turboEncode(const QImage& image, int quality) {
  const bool grey = image.format() == QImage::Format_Grayscale8;
  tjhandle handle = tjInitCompress();
  unsigned char* data = nullptr;
  unsigned long size = 0;
  tjCompress2(handle, image.constBits(), image.width(), static_cast<int>(image.bytesPerLine()), image.height(),
              grey ? TJPF_GRAY : TJPF_RGB, &data, &size, grey ? TJSAMP_GRAY : TJSAMP_420, quality, 0);
  Bytes bytes(data, data + size);
  tjFree(data);
  tjDestroy(handle);
  return bytes;
}

void turboDecodeEncode(const Bytes& page, bool grey) {
  tjhandle decoder = tjInitDecompress();
  int w = 0, h = 0, sub = 0, space = 0;
  tjDecompressHeader3(decoder, page.data(), page.size(), &w, &h, &sub, &space);
  const int channels = grey ? 1 : 3;
  // Left uninitialised, as the decoder's target in the page writer.
  std::unique_ptr<unsigned char[]> pixels(
      new unsigned char[static_cast<std::size_t>(w) * static_cast<std::size_t>(h) * static_cast<std::size_t>(channels)]);
  tjDecompress2(decoder, page.data(), page.size(), pixels.get(), w, w * channels, h, grey ? TJPF_GRAY : TJPF_RGB, 0);
  tjDestroy(decoder);
  tjhandle encoder = tjInitCompress();
  unsigned char* data = nullptr;
  unsigned long size = 0;
  tjCompress2(encoder, pixels.get(), w, w * channels, h, grey ? TJPF_GRAY : TJPF_RGB, &data, &size,
              grey ? TJSAMP_GRAY : TJSAMP_420, 20, 0);
  tjFree(data);
  tjDestroy(encoder);
}

void quiet(const std::function<void()>& work) {
  std::fflush(stdout);
  const int saved = ::dup(1);
  const int null = ::open("/dev/null", O_WRONLY);
  ::dup2(null, 1);
  work();
  std::fflush(stdout);
  ::dup2(saved, 1);
  ::close(null);
  ::close(saved);
}

}  // namespace scanbench
