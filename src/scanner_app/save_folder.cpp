#include "scanner_app/save_folder.h"

#include <QDir>
#include <QFileInfo>
#include <QStandardPaths>

namespace scanner_app {

QString defaultSaveDir() {
  const QString desktop = QStandardPaths::writableLocation(QStandardPaths::DesktopLocation);
  if (!desktop.isEmpty() && QFileInfo(desktop).isDir()) return desktop;
  return QDir::homePath();
}

}  // namespace scanner_app
