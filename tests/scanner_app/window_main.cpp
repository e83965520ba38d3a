// The window tests run as the application does: the scanner's flavour of the
// device layer, a widget application (offscreen) and the English table.
#include <gtest/gtest.h>

#include <QApplication>
#include <QStringList>

#include "device/common/flavour.h"
#include "scanner_app/string_table.h"

int main(int argc, char** argv) {
  device::setFlavour(device::Flavour::Scanner);
  // Listing the tests at build time has no display either.
  if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
  QApplication app(argc, argv);
  scanner_app::installStringTable(app, {QStringLiteral("en")});
  ::testing::InitGoogleTest(&argc, argv);
  return RUN_ALL_TESTS();
}
