// Writes the program's icon as PNG files for the desktop's icon theme:
// make-monitor-icons <folder> <side>... gives
// <folder>/<side>x<side>/apps/ktr6620lxv-statemonitor.png for each side.
#include <QDir>
#include <QGuiApplication>
#include <QImage>
#include <QPainter>

#include <cstdio>
#include <string>

#include "monitor_app/pictures/pictures.h"

int main(int argc, char** argv) {
  if (argc < 3) {
    std::fprintf(stderr, "usage: %s <folder> <side>...\n", argv[0]);
    return 2;
  }
  // Run at build time, where there is no display.
  qputenv("QT_QPA_PLATFORM", "offscreen");
  QGuiApplication app(argc, argv);
  const QString folder = QString::fromLocal8Bit(argv[1]);
  for (int i = 2; i < argc; ++i) {
    bool number = false;
    const int side = QString::fromLocal8Bit(argv[i]).toInt(&number);
    if (!number || side < 1 || side > 1024) {
      std::fprintf(stderr, "not an icon size: %s\n", argv[i]);
      return 2;
    }
    const QString dir = QStringLiteral("%1/%2x%2/apps").arg(folder).arg(side);
    QImage image(side, side, QImage::Format_ARGB32);
    image.fill(Qt::transparent);
    {
      QPainter painter(&image);
      monitor_app::pictures::draw(painter, QStringLiteral("icon"), QRectF(0, 0, side, side));
    }
    const QString file = dir + QLatin1Char('/') + QLatin1String(monitor_app::pictures::kIconThemeName) + ".png";
    if (!QDir().mkpath(dir) || !image.save(file, "PNG")) {
      std::fprintf(stderr, "cannot write %s\n", qPrintable(file));
      return 1;
    }
  }
  return 0;
}
