#pragma once
// The window's image assets, drawn in code: "icon", "arrow.clockwise",
// "KTR6620LXV" (the printer picture), "custom.wifi.weak",
// "custom.wifi.medium", "custom.wifi.strong". Looked up by name, as the
// window asks for them; a name without a picture gives none.

#include <QColor>
#include <QIcon>
#include <QPainter>
#include <QPixmap>
#include <QRectF>
#include <QSize>
#include <QString>

namespace monitor_app::pictures {

// The program's icon name in the desktop's icon theme.
inline constexpr char kIconThemeName[] = "ktr6620lxv-statemonitor";

// Draws the asset into `area`, scaled to fill it. `ink` colours the symbols
// (the arrow and the Wi-Fi signs); the icon and the printer have their own
// colours. False, with nothing drawn, for a name without a picture.
bool draw(QPainter& painter, const QString& name, const QRectF& area, const QColor& ink = Qt::black);

// The asset at `size` logical pixels for a screen of that pixel ratio, on
// a transparent background; a null pixmap for a name without a picture.
QPixmap picture(const QString& name, QSize size, qreal devicePixelRatio = 1.0, const QColor& ink = Qt::black);

// "icon" at the sizes a desktop asks for.
QIcon applicationIcon();

}  // namespace monitor_app::pictures
