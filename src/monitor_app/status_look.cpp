#include "monitor_app/status_look.h"

#include <algorithm>

namespace monitor_app {

QColor levelColour(int level, const QColor& normalText) {
  switch (level) {
    case 1:
      return normalText;
    case 2:
      return kOrange;
    default:
      return kRed;
  }
}

int tonerArcSpan(int toner) { return -std::clamp(toner, 0, 100) * 360 * 16 / 100; }

QString tonerText(int toner) { return QString::number(toner) + QLatin1Char('%'); }

}  // namespace monitor_app
