// Draws the application icon as the desktop's icon theme wants it:
// <folder>/<N>x<N>/apps/ktr6620lxv-scanner.png for each size N given.
#include <QDir>
#include <cstdio>
#include <cstdlib>

#include "scanner_app/pictures/application_icon.h"

int main(int argc, char** argv) {
  if (argc < 3) {
    std::fprintf(stderr, "usage: %s <folder> <size>...\n", argv[0]);
    return 2;
  }
  const QString folder = QString::fromLocal8Bit(argv[1]);
  for (int i = 2; i < argc; ++i) {
    const int side = std::atoi(argv[i]);
    const QString dir = QStringLiteral("%1/%2x%2/apps").arg(folder).arg(side);
    const QString file = dir + QStringLiteral("/ktr6620lxv-scanner.png");
    if (side <= 0 || !QDir().mkpath(dir) || !scanner_app::drawApplicationIcon(side).save(file, "PNG")) {
      std::fprintf(stderr, "cannot write %s\n", qPrintable(file));
      return 1;
    }
  }
  return 0;
}
