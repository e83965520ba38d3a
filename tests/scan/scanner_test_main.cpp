// The scan engine's run and discovery tests run as the scanner application
// does: its flavour of the device layer, a Qt application object for the
// model's queued work and string table.
#include <gtest/gtest.h>

#include <QCoreApplication>

#include "device/common/flavour.h"

int main(int argc, char** argv) {
  device::setFlavour(device::Flavour::Scanner);
  QCoreApplication app(argc, argv);
  ::testing::InitGoogleTest(&argc, argv);
  return RUN_ALL_TESTS();
}
