#include "monitor/wifi_settings.h"

namespace monitor {

size_t qHash(const HotSpot& hotSpot, size_t seed) noexcept {
  return qHashMulti(seed, hotSpot.id, hotSpot.name, hotSpot.signalDB);
}

}  // namespace monitor
