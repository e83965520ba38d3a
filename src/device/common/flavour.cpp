#include "device/common/flavour.h"

#include <atomic>
#include <stdexcept>

namespace device {
namespace {

// Unset until setFlavour() or the first flavour() fixes it.
constexpr int kUnset = -1;
std::atomic<int> fixedFlavour{kUnset};

}  // namespace

void setFlavour(Flavour value) {
  int expected = kUnset;
  const int wanted = static_cast<int>(value);
  if (!fixedFlavour.compare_exchange_strong(expected, wanted) && expected != wanted) {
    throw std::logic_error("device layer flavour is already fixed for this process");
  }
}

Flavour flavour() {
  int expected = kUnset;
  fixedFlavour.compare_exchange_strong(expected, static_cast<int>(Flavour::StatusMonitor));
  return static_cast<Flavour>(fixedFlavour.load());
}

}  // namespace device
