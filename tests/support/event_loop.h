#pragma once
// Qt's event loop run by a test until what it waits for has happened.

#include <chrono>
#include <functional>

namespace test_support {

// Runs the event loop until `done` holds or the time is up; false when the
// time ran out first.
bool spinUntil(const std::function<bool()>& done, std::chrono::milliseconds limit = std::chrono::seconds(5));

// Runs the event loop for a while, for what must not come.
void spinFor(std::chrono::milliseconds time);

}  // namespace test_support
