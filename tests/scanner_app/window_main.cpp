// The window tests run as the application does: the scanner's flavour of the
// device layer, a widget application (offscreen) and the English table. An
// empty simulated USB bus keeps discovery off the machine's own devices.
#include <gtest/gtest.h>

#include <QApplication>
#include <QStringList>
#include <cstdio>

#include "device/common/flavour.h"
#include "scanner_app/string_table.h"
#include "sim/usb/usb_sim.h"

int main(int argc, char** argv) {
  device::setFlavour(device::Flavour::Scanner);
  // Listing the tests at build time has no display either.
  if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
  QApplication app(argc, argv);
  scanner_app::installStringTable(app, {QStringLiteral("en")});
  sim::usb::Testbed bus;
  ::testing::InitGoogleTest(&argc, argv);
  if (!bus.active()) {
    std::fprintf(stderr, "not run under umockdev-wrapper: discovery sees the machine's USB devices\n");
  }
  return RUN_ALL_TESTS();
}
