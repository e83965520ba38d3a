#include "scanner_app/pictures/application_icon.h"

#include <QLinearGradient>
#include <QPainter>
#include <QPainterPath>
#include <QPixmap>

namespace scanner_app {

QImage drawApplicationIcon(int side) {
  QImage image(side, side, QImage::Format_ARGB32_Premultiplied);
  image.fill(Qt::transparent);
  QPainter painter(&image);
  painter.setRenderHint(QPainter::Antialiasing);
  // Drawn on a 100 x 100 grid.
  painter.scale(side / 100.0, side / 100.0);

  // The page, half out of the scanner, with lines of text.
  painter.setPen(QPen(QColor(0x9A, 0xA5, 0xB1), 1.5));
  painter.setBrush(Qt::white);
  painter.drawRect(QRectF(28, 8, 44, 46));
  painter.setPen(Qt::NoPen);
  painter.setBrush(QColor(0x5B, 0x6B, 0x7C));
  for (int line = 0; line < 4; ++line) {
    const double width = line == 3 ? 20 : 34;
    painter.drawRoundedRect(QRectF(33, 15 + line * 8, width, 3.5), 1.5, 1.5);
  }

  // The body.
  QLinearGradient body(0, 44, 0, 90);
  body.setColorAt(0, QColor(0x4A, 0x5A, 0x6E));
  body.setColorAt(1, QColor(0x24, 0x2E, 0x3A));
  QPainterPath shape;
  shape.addRoundedRect(QRectF(8, 44, 84, 44), 9, 9);
  painter.setBrush(body);
  painter.drawPath(shape);

  // The lid's edge and the glass.
  painter.setBrush(QColor(0x6C, 0x7D, 0x91));
  painter.drawRoundedRect(QRectF(8, 44, 84, 10), 5, 5);
  painter.setBrush(QColor(0x15, 0x1C, 0x24));
  painter.drawRoundedRect(QRectF(16, 60, 68, 16), 3, 3);

  // The light bar across the glass, with its glow.
  QLinearGradient glow(0, 60, 0, 76);
  glow.setColorAt(0, QColor(0x3D, 0xE0, 0xC8, 0));
  glow.setColorAt(0.5, QColor(0x3D, 0xE0, 0xC8, 170));
  glow.setColorAt(1, QColor(0x3D, 0xE0, 0xC8, 0));
  painter.setBrush(glow);
  painter.drawRect(QRectF(16, 62, 68, 12));
  painter.setBrush(QColor(0xC8, 0xFF, 0xF4));
  painter.drawRect(QRectF(16, 67, 68, 2.5));

  // The power light.
  painter.setBrush(QColor(0x7C, 0xE3, 0x5A));
  painter.drawEllipse(QPointF(82, 82), 2.6, 2.6);
  return image;
}

QIcon applicationIcon() {
  QIcon icon;
  for (const int side : {16, 24, 32, 48, 64, 128, 256}) icon.addPixmap(QPixmap::fromImage(drawApplicationIcon(side)));
  return icon;
}

}  // namespace scanner_app
