// The symbols: the refresh arrow and the three Wi-Fi signal levels.
#include <QPainterPath>

#include "monitor_app/pictures/drawing.h"

namespace monitor_app::pictures {

void drawClockwiseArrow(QPainter& painter, const QColor& ink) {
  QPen pen(ink, 10, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin);
  painter.setPen(pen);
  painter.setBrush(Qt::NoBrush);
  // From half past one round the circle clockwise to twelve, where the head
  // points on clockwise.
  const QRectF circle(16, 18, 66, 66);
  painter.drawArc(circle, 45 * 16, -300 * 16);
  painter.setPen(Qt::NoPen);
  painter.setBrush(ink);
  const QPointF top(circle.center().x(), circle.top());
  QPainterPath head;
  head.moveTo(top + QPointF(22, 0));
  head.lineTo(top + QPointF(-4, -17));
  head.lineTo(top + QPointF(-4, 17));
  head.closeSubpath();
  painter.drawPath(head);
}

void drawWifiSignal(QPainter& painter, const QColor& ink, int bars) {
  QColor faint = ink;
  faint.setAlphaF(0.25F);
  const QPointF base(50, 80);
  painter.setPen(Qt::NoPen);
  painter.setBrush(ink);
  painter.drawEllipse(base, 7, 7);
  painter.setBrush(Qt::NoBrush);
  for (int arc = 1; arc <= 3; ++arc) {
    const qreal radius = 8 + arc * 18;
    painter.setPen(QPen(arc <= bars ? ink : faint, 9, Qt::SolidLine, Qt::RoundCap));
    painter.drawArc(QRectF(base.x() - radius, base.y() - radius, 2 * radius, 2 * radius), 45 * 16, 90 * 16);
  }
}

}  // namespace monitor_app::pictures
