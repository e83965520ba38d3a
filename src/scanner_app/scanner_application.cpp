#include "scanner_app/scanner_application.h"

#include "desktop/launcher.h"
#include "scanner_app/string_table.h"

namespace scanner_app {

void tieToLauncher() {
  desktop::tieToLauncher(QStringLiteral("QUKTR6620LXV-Scanner"), QStringLiteral("ktr6620lxv-scanner"));
}

std::unique_ptr<ContentView> showScanner(QApplication& app) {
  installStringTable(app, desktop::userLanguages());
  tieToLauncher();
  auto window = std::make_unique<ContentView>();
  window->show();
  return window;
}

}  // namespace scanner_app
