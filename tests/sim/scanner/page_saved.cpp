#include "sim/scanner/page_saved.h"

#include <thread>

namespace sim::scanner {

bool waitUntilSaved(const std::filesystem::path& page, std::chrono::milliseconds bound) {
  const auto until = std::chrono::steady_clock::now() + bound;
  std::error_code error;
  while (!std::filesystem::exists(page, error)) {
    if (std::chrono::steady_clock::now() >= until) return false;
    std::this_thread::sleep_for(std::chrono::milliseconds(5));
  }
  return true;
}

std::function<void()> untilSaved(std::filesystem::path page) {
  return [page = std::move(page)] { waitUntilSaved(page); };
}

}  // namespace sim::scanner
