// The scanner application's flavour is fixed before anything else, as the
// scanner's main does.
#include <gtest/gtest.h>

#include "device/usb/Flavour.h"

int main(int argc, char** argv) {
  device::usb::setFlavour(device::usb::Flavour::Scanner);
  ::testing::InitGoogleTest(&argc, argv);
  return RUN_ALL_TESTS();
}
