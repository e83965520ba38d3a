#include "scan/pages/image_rotate.h"

#include <QPainter>
#include <QTransform>
#include <string>
#include <utility>

#include "device/common/log.h"

namespace scan {

using device::logLine;
namespace {

// Grey and colour pictures are turned as they are. A 1-bit picture goes
// through 8-bit grey: scaling and turning bit-packed rows is not what the
// drawing code is made for.
QImage workingCopy(const QImage& image) {
  switch (image.format()) {
    case QImage::Format_Grayscale8:
    case QImage::Format_RGB888:
      return image;
    default:
      return image.convertToFormat(image.depth() == 1 || image.isGrayscale()
                                       ? QImage::Format_Grayscale8
                                       : QImage::Format_RGB888);
  }
}

// Any other angle: the canvas keeps the scaled size, the turned picture is
// drawn about its centre on white.
QImage paintTurned(double degree, const QImage& source, QSize canvas) {
  QImage out(canvas, source.format());
  if (out.isNull()) return out;
  out.fill(Qt::white);
  QPainter painter(&out);
  painter.setRenderHint(QPainter::SmoothPixmapTransform);
  painter.translate(canvas.width() / 2.0, canvas.height() / 2.0);
  painter.rotate(-degree);  // Qt's y axis points down
  painter.drawImage(QRect(-source.width() / 2, -source.height() / 2, source.width(),
                          source.height()),
                    source);
  return out;
}

}  // namespace

void drawStretched(QImage& canvas, QRect where, const QImage& picture) {
  QPainter painter(&canvas);
  painter.setCompositionMode(QPainter::CompositionMode_Source);
  painter.setRenderHint(QPainter::SmoothPixmapTransform);
  painter.drawImage(where, picture);
}

std::optional<QImage> turnAndScale(double degree, const QImage& image, QSize scaled) {
  if (image.isNull() || scaled.isEmpty()) return std::nullopt;
  const QSize canvas = degree == 90 ? scaled.transposed() : scaled;
  logLine("rotate size w = " + std::to_string(canvas.width()) + ".0 and h = " +
          std::to_string(canvas.height()) + ".0 and w = " + std::to_string(scaled.width()) +
          " and h = " + std::to_string(scaled.height()));
  QImage picture = workingCopy(image);
  if (picture.size() != scaled) {
    QImage resized(scaled, picture.format());
    if (resized.isNull()) return std::nullopt;
    drawStretched(resized, resized.rect(), picture);
    picture = std::move(resized);
  }
  if (degree == 90) {
    picture = picture.transformed(QTransform().rotate(-90));
  } else if (degree == 180) {
    picture = picture.mirrored(true, true);
  } else if (degree != 0) {
    picture = paintTurned(degree, picture, canvas);
  }
  if (picture.isNull()) return std::nullopt;
  return picture;
}

std::optional<QImage> imageRotate(double degree, const QImage& image, double ratio) {
  const QSize scaled(static_cast<int>(image.width() * ratio),
                     static_cast<int>(image.height() * ratio));
  return turnAndScale(degree, image, scaled);
}

}  // namespace scan
