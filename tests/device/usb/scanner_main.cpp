// The scanner application's flavour is fixed before anything else, as the
// scanner's main does.
#include <gtest/gtest.h>

#include "device/common/flavour.h"

int main(int argc, char** argv) {
  device::setFlavour(device::Flavour::Scanner);
  ::testing::InitGoogleTest(&argc, argv);
  return RUN_ALL_TESTS();
}
