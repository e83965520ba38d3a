#include "monitor_app/pictures/pictures.h"

#include <QImage>

#include <cmath>
#include <functional>

#include "monitor_app/pictures/drawing.h"

namespace monitor_app::pictures {
namespace {

struct Asset {
  QSizeF box;
  std::function<void(QPainter&, const QColor&)> paint;
};

bool find(const QString& name, Asset& asset) {
  const QSizeF symbol(kSymbolBox, kSymbolBox);
  if (name == QLatin1String("icon")) {
    asset = {symbol, [](QPainter& p, const QColor&) { drawApplicationIcon(p); }};
  } else if (name == QLatin1String("KTR6620LXV")) {
    asset = {QSizeF(kPrinterBoxWidth, kPrinterBoxHeight), [](QPainter& p, const QColor&) { drawPrinter(p); }};
  } else if (name == QLatin1String("arrow.clockwise")) {
    asset = {symbol, [](QPainter& p, const QColor& ink) { drawClockwiseArrow(p, ink); }};
  } else if (name == QLatin1String("custom.wifi.weak")) {
    asset = {symbol, [](QPainter& p, const QColor& ink) { drawWifiSignal(p, ink, 1); }};
  } else if (name == QLatin1String("custom.wifi.medium")) {
    asset = {symbol, [](QPainter& p, const QColor& ink) { drawWifiSignal(p, ink, 2); }};
  } else if (name == QLatin1String("custom.wifi.strong")) {
    asset = {symbol, [](QPainter& p, const QColor& ink) { drawWifiSignal(p, ink, 3); }};
  } else {
    return false;
  }
  return true;
}

}  // namespace

bool draw(QPainter& painter, const QString& name, const QRectF& area, const QColor& ink) {
  Asset asset;
  if (!find(name, asset)) {
    return false;
  }
  painter.save();
  painter.setRenderHint(QPainter::Antialiasing);
  painter.translate(area.topLeft());
  painter.scale(area.width() / asset.box.width(), area.height() / asset.box.height());
  asset.paint(painter, ink);
  painter.restore();
  return true;
}

QPixmap picture(const QString& name, QSize size, qreal devicePixelRatio, const QColor& ink) {
  Asset asset;
  if (!find(name, asset) || size.isEmpty()) {
    return {};
  }
  QImage image(static_cast<int>(std::ceil(size.width() * devicePixelRatio)),
               static_cast<int>(std::ceil(size.height() * devicePixelRatio)), QImage::Format_ARGB32_Premultiplied);
  image.fill(Qt::transparent);
  {
    QPainter painter(&image);
    draw(painter, name, QRectF(QPointF(0, 0), QSizeF(image.size())), ink);
  }
  image.setDevicePixelRatio(devicePixelRatio);
  return QPixmap::fromImage(image);
}

QIcon applicationIcon() {
  QIcon icon;
  for (const int side : {16, 24, 32, 48, 64, 128, 256}) {
    icon.addPixmap(picture(QStringLiteral("icon"), QSize(side, side)));
  }
  return icon;
}

}  // namespace monitor_app::pictures
