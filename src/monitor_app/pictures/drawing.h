#pragma once
// Each asset's drawing, in a 100 by 100 (icon, symbols) or 200 by 180
// (printer) box that the caller has scaled onto the target area.

#include <QColor>
#include <QPainter>

namespace monitor_app::pictures {

inline constexpr qreal kSymbolBox = 100;
inline constexpr qreal kPrinterBoxWidth = 200;
inline constexpr qreal kPrinterBoxHeight = 180;

void drawApplicationIcon(QPainter& painter);
void drawPrinter(QPainter& painter);
void drawClockwiseArrow(QPainter& painter, const QColor& ink);
// `bars` of the three arcs drawn in ink, the rest faint.
void drawWifiSignal(QPainter& painter, const QColor& ink, int bars);

}  // namespace monitor_app::pictures
