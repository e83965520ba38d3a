#include "event_loop.h"

#include <QCoreApplication>

#include <thread>

namespace test_support {

bool spinUntil(const std::function<bool()>& done, std::chrono::milliseconds limit) {
  const auto end = std::chrono::steady_clock::now() + limit;
  while (!done()) {
    if (std::chrono::steady_clock::now() > end) return false;
    QCoreApplication::processEvents(QEventLoop::AllEvents, 20);
    std::this_thread::sleep_for(std::chrono::milliseconds(2));
  }
  return true;
}

void spinFor(std::chrono::milliseconds time) {
  spinUntil([] { return false; }, time);
}

}  // namespace test_support
