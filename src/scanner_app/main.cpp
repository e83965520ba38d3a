// QUKTR6620LXV-Scanner: the scanner application's entry.
#include <QApplication>

#include "device/common/flavour.h"
#include "scanner_app/content_view.h"
#include "scanner_app/string_table.h"

int main(int argc, char** argv) {
  device::setFlavour(device::Flavour::Scanner);
  QApplication app(argc, argv);
  scanner_app::installStringTable(app, desktop::userLanguages());
  scanner_app::ContentView window;
  window.show();
  return QApplication::exec();
}
