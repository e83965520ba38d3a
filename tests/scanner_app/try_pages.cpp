#include "try_pages.h"

#include <QBuffer>
#include <QFont>
#include <QPainter>

#include <algorithm>

namespace trytool {
namespace {

// The pictures are drawn at twice the size that fits the smallest scan area,
// to be scaled to each scan's.
constexpr int kScale = 2;
// In black and white, light grey (the lines of text) still comes out black.
constexpr int kWhiteFrom = 200;

// Page `pageNo`, drawn `scale` times the size that fits the smallest scan
// area (A5 at 200 dpi, an ID card's half page).
QImage samplePicture(int pageNo, int scale) {
  QImage page(1000 * scale, 1120 * scale, QImage::Format_RGB32);
  page.fill(Qt::white);
  QPainter painter(&page);
  painter.setRenderHint(QPainter::Antialiasing);
  painter.scale(scale, scale);
  const QColor ink(0x2B, 0x33, 0x3D);
  const QColor accent = pageNo % 2 ? QColor(0x1F, 0x7A, 0x8C) : QColor(0xB5, 0x4A, 0x2C);

  painter.fillRect(QRect(0, 0, 1000, 120), accent);
  QFont title = painter.font();
  title.setPixelSize(54);
  title.setBold(true);
  painter.setFont(title);
  painter.setPen(Qt::white);
  painter.drawText(QRect(60, 0, 880, 120), Qt::AlignVCenter, QStringLiteral("Sample page %1").arg(pageNo));

  // Lines of text, as grey bars of varying length.
  painter.setPen(Qt::NoPen);
  painter.setBrush(QColor(0x9A, 0xA3, 0xAD));
  for (int line = 0; line < 14; ++line) {
    const int width = line % 5 == 4 ? 420 : 880 - (line * 37) % 160;
    painter.drawRoundedRect(QRect(60, 180 + line * 34, width, 14), 6, 6);
  }

  // A bar chart, taller bars on later pages.
  painter.setBrush(QColor(0xF1, 0xF3, 0xF5));
  painter.drawRect(QRect(60, 690, 880, 360));
  for (int bar = 0; bar < 7; ++bar) {
    const int height = 60 + ((bar * 53 + pageNo * 71) % 250);
    painter.setBrush(bar % 2 ? accent : ink);
    painter.drawRect(QRect(110 + bar * 118, 1020 - height, 70, height));
  }
  QFont footer = painter.font();
  footer.setPixelSize(26);
  footer.setBold(false);
  painter.setFont(footer);
  painter.setPen(ink);
  painter.drawText(QRect(60, 1060, 880, 50), Qt::AlignRight | Qt::AlignVCenter, QStringLiteral("%1").arg(pageNo));
  painter.end();
  return page;
}

Bytes jpegOf(const QImage& page) {
  QByteArray bytes;
  QBuffer buffer(&bytes);
  buffer.open(QIODevice::WriteOnly);
  page.save(&buffer, "JPEG", 85);
  return Bytes(bytes.begin(), bytes.end());
}

// A white page of `width` x `rows` pixels in the format of `picture`, the
// picture on it as large as the page allows, at its top left, scaled alike
// both ways (nearest pixel).
QImage onPage(const QImage& picture, std::int64_t width, std::int64_t rows) {
  QImage page(static_cast<int>(width), static_cast<int>(rows), picture.format());
  if (page.isNull()) return page;
  page.fill(Qt::white);
  const double scale = std::min(static_cast<double>(width) / picture.width(),
                                static_cast<double>(rows) / picture.height());
  const int drawnWidth = std::min(page.width(), static_cast<int>(picture.width() * scale));
  const int drawnHeight = std::min(page.height(), static_cast<int>(picture.height() * scale));
  const auto pixel = static_cast<std::size_t>(picture.depth() / 8);
  std::vector<std::size_t> from(static_cast<std::size_t>(drawnWidth));
  for (int x = 0; x < drawnWidth; ++x) {
    from[static_cast<std::size_t>(x)] =
        static_cast<std::size_t>(std::min(picture.width() - 1, static_cast<int>(x / scale))) * pixel;
  }
  for (int y = 0; y < drawnHeight; ++y) {
    const uchar* line = picture.constScanLine(std::min(picture.height() - 1, static_cast<int>(y / scale)));
    uchar* out = page.scanLine(y);
    for (const std::size_t at : from) {
      std::copy_n(line + at, pixel, out);
      out += pixel;
    }
  }
  return page;
}

// A grey page as 1-bit rows of width / 8 bytes (a set bit is white).
Bytes textRows(const QImage& page) {
  const auto rowBytes = static_cast<std::size_t>(page.width() / 8);
  const auto height = static_cast<std::size_t>(page.height());
  Bytes raster(rowBytes * height, 0xFF);
  for (std::size_t y = 0; y < height; ++y) {
    const uchar* line = page.constScanLine(static_cast<int>(y));
    std::uint8_t* row = raster.data() + y * rowBytes;
    for (std::size_t x = 0; x < rowBytes * 8; ++x) {
      if (line[x] < kWhiteFrom) row[x / 8] = static_cast<std::uint8_t>(row[x / 8] & ~(0x80u >> (x % 8)));
    }
  }
  return raster;
}

}  // namespace

SamplePages::SamplePages() {
  for (int pageNo = 1; pageNo <= 2; ++pageNo) {
    const QImage picture = samplePicture(pageNo, kScale);
    colour_.push_back(picture.convertToFormat(QImage::Format_RGB888));
    grey_.push_back(picture.convertToFormat(QImage::Format_Grayscale8));
  }
}

std::vector<Bytes> SamplePages::pagesFor(const sim::ScanRequest& request) const {
  const bool text = request.mode == "TEXT";
  const std::vector<QImage>& pictures = text || request.mode == "GRAY256" ? grey_ : colour_;
  const bool area = request.width > 0 && request.rows > 0;
  std::vector<Bytes> pages;
  for (const QImage& picture : pictures) {
    if (!area) {
      pages.push_back(jpegOf(picture));
      continue;
    }
    const QImage page = onPage(picture, text ? request.width / 8 * 8 : request.width, request.rows);
    pages.push_back(text ? textRows(page) : jpegOf(page));
  }
  return pages;
}

}  // namespace trytool
