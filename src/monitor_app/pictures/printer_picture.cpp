// The printer picture: a generic desktop laser printer with a flatbed
// scanner and a document feeder on top, a control panel, the output tray
// and a paper cassette below.
#include <QLinearGradient>
#include <QPainterPath>
#include <QRadialGradient>

#include "monitor_app/pictures/drawing.h"

namespace monitor_app::pictures {
namespace {

const QColor kOutline(126, 132, 142);
const QColor kShell(236, 238, 241);
const QColor kShellShade(206, 210, 216);
const QColor kDark(62, 66, 74);

QLinearGradient vertical(qreal top, qreal bottom, const QColor& upper, const QColor& lower) {
  QLinearGradient gradient(0, top, 0, bottom);
  gradient.setColorAt(0, upper);
  gradient.setColorAt(1, lower);
  return gradient;
}

}  // namespace

void drawPrinter(QPainter& painter) {
  QPen outline(kOutline, 1.2);
  outline.setJoinStyle(Qt::RoundJoin);

  // Shadow on the desk.
  QRadialGradient shadow(QPointF(100, 166), 86);
  shadow.setColorAt(0, QColor(0, 0, 0, 70));
  shadow.setColorAt(1, QColor(0, 0, 0, 0));
  painter.setPen(Qt::NoPen);
  painter.setBrush(shadow);
  painter.drawEllipse(QRectF(14, 156, 172, 20));

  // Main body.
  painter.setPen(outline);
  painter.setBrush(vertical(72, 164, kShell, kShellShade));
  painter.drawRoundedRect(QRectF(28, 72, 144, 92), 8, 8);

  // Output tray recess with a printed sheet.
  painter.setBrush(vertical(84, 104, QColor(90, 95, 104), QColor(140, 145, 152)));
  painter.drawRoundedRect(QRectF(46, 84, 108, 20), 4, 4);
  painter.setPen(QPen(QColor(180, 184, 190), 0.8));
  painter.setBrush(QColor(252, 252, 250));
  QPainterPath sheet;
  sheet.moveTo(58, 88);
  sheet.lineTo(142, 88);
  sheet.lineTo(146, 102);
  sheet.lineTo(54, 102);
  sheet.closeSubpath();
  painter.drawPath(sheet);
  painter.setPen(QPen(QColor(196, 200, 206), 1.2));
  for (int line = 0; line < 3; ++line) {
    const qreal y = 92 + line * 3.5;
    painter.drawLine(QPointF(66, y), QPointF(line == 2 ? 104 : 134, y));
  }

  // Front seam of the toner door.
  painter.setPen(QPen(kShellShade.darker(115), 1));
  painter.drawLine(QPointF(34, 118), QPointF(166, 118));

  // Paper cassette.
  painter.setPen(outline);
  painter.setBrush(vertical(124, 158, QColor(226, 229, 233), QColor(196, 200, 206)));
  painter.drawRoundedRect(QRectF(34, 124, 132, 34), 4, 4);
  painter.setBrush(kDark);
  painter.drawRoundedRect(QRectF(84, 136, 32, 7), 3.5, 3.5);

  // Scanner unit.
  painter.setBrush(vertical(42, 74, QColor(226, 229, 234), QColor(200, 204, 211)));
  painter.drawRoundedRect(QRectF(24, 42, 152, 32), 6, 6);
  painter.setPen(QPen(kShellShade.darker(120), 1));
  painter.drawLine(QPointF(28, 56), QPointF(172, 56));

  // Document feeder with its input tray.
  painter.setPen(outline);
  painter.setBrush(vertical(22, 44, QColor(70, 75, 84), QColor(44, 48, 56)));
  QPainterPath feeder;
  feeder.moveTo(40, 44);
  feeder.lineTo(46, 26);
  feeder.quadTo(48, 22, 54, 22);
  feeder.lineTo(120, 22);
  feeder.lineTo(128, 44);
  feeder.closeSubpath();
  painter.drawPath(feeder);
  painter.setBrush(QColor(248, 248, 246));
  painter.setPen(QPen(QColor(170, 174, 180), 0.8));
  QPainterPath originals;
  originals.moveTo(64, 22);
  originals.lineTo(74, 8);
  originals.lineTo(126, 8);
  originals.lineTo(118, 22);
  originals.closeSubpath();
  painter.drawPath(originals);

  // Control panel: display, ready light and keys.
  painter.setPen(outline);
  painter.setBrush(kDark);
  painter.drawRoundedRect(QRectF(132, 46, 38, 22), 3, 3);
  painter.setPen(Qt::NoPen);
  painter.setBrush(vertical(49, 57, QColor(120, 200, 240), QColor(60, 140, 200)));
  painter.drawRect(QRectF(136, 49, 20, 9));
  painter.setBrush(QColor(74, 247, 36));
  painter.drawEllipse(QPointF(163, 53), 2.2, 2.2);
  painter.setBrush(QColor(170, 176, 186));
  for (int key = 0; key < 4; ++key) {
    painter.drawEllipse(QPointF(138 + key * 7, 63), 2, 2);
  }
}

}  // namespace monitor_app::pictures
