// The program's icon: a small printer, white on a blue tile, a sheet coming
// out and a green light on its panel.
#include <QLinearGradient>
#include <QPainterPath>

#include "monitor_app/pictures/drawing.h"

namespace monitor_app::pictures {

void drawApplicationIcon(QPainter& painter) {
  painter.setPen(Qt::NoPen);

  QLinearGradient tile(0, 6, 0, 94);
  tile.setColorAt(0, QColor(64, 140, 250));
  tile.setColorAt(1, QColor(22, 78, 196));
  painter.setBrush(tile);
  painter.drawRoundedRect(QRectF(6, 6, 88, 88), 20, 20);

  // The sheet waiting at the back.
  painter.setBrush(QColor(236, 242, 252));
  painter.drawRect(QRectF(32, 18, 36, 22));

  // The body.
  QLinearGradient body(0, 36, 0, 70);
  body.setColorAt(0, QColor(255, 255, 255));
  body.setColorAt(1, QColor(214, 224, 240));
  painter.setBrush(body);
  painter.drawRoundedRect(QRectF(17, 36, 66, 34), 7, 7);

  // Output slot and the printed sheet in front of it.
  painter.setBrush(QColor(34, 60, 120));
  painter.drawRoundedRect(QRectF(28, 58, 44, 5), 2, 2);
  painter.setBrush(QColor(255, 255, 255));
  painter.drawRect(QRectF(32, 60, 36, 24));
  painter.setBrush(QColor(150, 170, 205));
  for (int line = 0; line < 3; ++line) {
    painter.drawRect(QRectF(37, 66 + line * 5.5, line == 2 ? 16 : 26, 2.2));
  }

  // The ready light.
  painter.setBrush(QColor(74, 247, 36));
  painter.drawEllipse(QPointF(72, 45), 3.6, 3.6);
}

}  // namespace monitor_app::pictures
