#include "desktop/launcher.h"

#include <QCoreApplication>
#include <QGuiApplication>

namespace desktop {

void tieToLauncher(const QString& program, const QString& entry) {
  QCoreApplication::setApplicationName(program);
  QGuiApplication::setDesktopFileName(entry);
}

}  // namespace desktop
