// Test programs whose code posts work to the GUI thread's event queue (the
// main queue, the models' queued work) run with an application object.
#include <gtest/gtest.h>

#include <QCoreApplication>

int main(int argc, char** argv) {
  QCoreApplication app(argc, argv);
  ::testing::InitGoogleTest(&argc, argv);
  return RUN_ALL_TESTS();
}
