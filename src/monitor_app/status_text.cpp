#include "monitor_app/status_text.h"

#include <algorithm>

#include "monitor/status_table.h"
#include "monitor_app/string_table.h"

namespace monitor_app {

QString shownStatusText(const QString& text) {
  const QString prefix = QString::fromUtf8(monitor::kUnknownCodeKey);
  if (text.startsWith(prefix)) {
    const QStringView code = QStringView(text).mid(prefix.size());
    const QStringView digits = code.startsWith(QLatin1Char('-')) ? code.mid(1) : code;
    if (!digits.isEmpty() && std::all_of(digits.begin(), digits.end(), [](QChar c) { return c >= u'0' && c <= u'9'; })) {
      return localized(prefix) + code.toString();
    }
  }
  return localized(text);
}

}  // namespace monitor_app
