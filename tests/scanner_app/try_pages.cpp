#include "try_pages.h"

#include <QBuffer>
#include <QFont>
#include <QImage>
#include <QPainter>

namespace trytool {

std::vector<std::uint8_t> samplePage(int pageNo) {
  // Fits the smallest scan area (A5 at 200 dpi, an ID card's half page).
  QImage page(1000, 1120, QImage::Format_RGB32);
  page.fill(Qt::white);
  QPainter painter(&page);
  painter.setRenderHint(QPainter::Antialiasing);
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

  QByteArray bytes;
  QBuffer buffer(&bytes);
  buffer.open(QIODevice::WriteOnly);
  page.save(&buffer, "JPEG", 85);
  return std::vector<std::uint8_t>(bytes.begin(), bytes.end());
}

}  // namespace trytool
