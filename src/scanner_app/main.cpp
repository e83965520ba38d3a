// QUKTR6620LXV-Scanner: the scanner application's entry.
#include <QApplication>

#include "device/common/flavour.h"
#include "scanner_app/scanner_application.h"

int main(int argc, char** argv) {
  device::setFlavour(device::Flavour::Scanner);
  QApplication app(argc, argv);
  const auto window = scanner_app::showScanner(app);
  return QApplication::exec();
}
