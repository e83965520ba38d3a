#include "scanner_app/pictures/application_icon.h"

#include <QLinearGradient>
#include <QPainter>
#include <QPainterPath>
#include <QPixmap>
#include <array>

namespace scanner_app {

QImage drawApplicationIcon(int side) {
  QImage image(side, side, QImage::Format_ARGB32_Premultiplied);
  image.fill(Qt::transparent);
  QPainter painter(&image);
  painter.setRenderHint(QPainter::Antialiasing);
  // Drawn on a 100 x 100 grid.
  painter.scale(side / 100.0, side / 100.0);

  // The page, with lines of text.
  QLinearGradient paper(0, 14, 0, 86);
  paper.setColorAt(0, Qt::white);
  paper.setColorAt(1, QColor(0xE8, 0xEC, 0xF0));
  painter.setPen(QPen(QColor(0x9A, 0xA5, 0xB1), 1.5));
  painter.setBrush(paper);
  painter.drawRoundedRect(QRectF(24, 14, 52, 72), 3, 3);
  painter.setPen(Qt::NoPen);
  painter.setBrush(QColor(0x5B, 0x6B, 0x7C));
  for (int line = 0; line < 6; ++line) {
    const double width = line == 5 ? 22 : (line % 2 ? 34 : 40);
    painter.drawRoundedRect(QRectF(31, 23 + line * 10, width, 4), 2, 2);
  }

  // The corners of the scan area.
  QPen corner(QColor(0x2E, 0x3A, 0x48), 6, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin);
  painter.setPen(corner);
  painter.setBrush(Qt::NoBrush);
  const double near = 8, far = 92, arm = 16;
  for (const auto& [x, y, dx, dy] : {std::array{near, near, 1.0, 1.0}, std::array{far, near, -1.0, 1.0},
                                     std::array{near, far, 1.0, -1.0}, std::array{far, far, -1.0, -1.0}}) {
    QPainterPath path;
    path.moveTo(x, y + dy * arm);
    path.lineTo(x, y);
    path.lineTo(x + dx * arm, y);
    painter.drawPath(path);
  }

  // The light bar crossing the page, with its glow.
  painter.setPen(Qt::NoPen);
  QLinearGradient glow(0, 44, 0, 64);
  glow.setColorAt(0, QColor(0x1F, 0xC8, 0xB0, 0));
  glow.setColorAt(0.5, QColor(0x1F, 0xC8, 0xB0, 150));
  glow.setColorAt(1, QColor(0x1F, 0xC8, 0xB0, 0));
  painter.setBrush(glow);
  painter.drawRect(QRectF(14, 44, 72, 20));
  painter.setBrush(QColor(0x12, 0xA8, 0x94));
  painter.drawRoundedRect(QRectF(12, 52, 76, 4), 2, 2);
  return image;
}

QIcon applicationIcon() {
  QIcon icon;
  for (const int side : {16, 24, 32, 48, 64, 128, 256}) icon.addPixmap(QPixmap::fromImage(drawApplicationIcon(side)));
  return icon;
}

}  // namespace scanner_app
