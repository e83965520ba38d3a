#include "monitor_app/ipv4_check.h"

#include <QRegularExpression>

namespace monitor_app {

bool isValidIPv4(const QString& text) {
  // "$" alone would also match before a final line break, so the match is
  // anchored to the whole text instead.
  static const QRegularExpression pattern(QRegularExpression::anchoredPattern(
      QStringLiteral("(?:(?:25[0-5]|2[0-4][0-9]|[01]?[0-9][0-9]?)\\.){3}(?:25[0-5]|2[0-4][0-9]|[01]?[0-9][0-9]?)")));
  return pattern.match(text).hasMatch();
}

}  // namespace monitor_app
