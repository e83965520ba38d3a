#include "monitor_app/ipv4_check.h"

#include <QCoreApplication>
#include <QRegularExpression>

namespace monitor_app {

bool isValidIPv4(const QString& text) {
  // "$" alone would also match before a final line break, so the match is
  // anchored to the whole text instead.
  static const QRegularExpression pattern(QRegularExpression::anchoredPattern(
      QStringLiteral("(?:(?:25[0-5]|2[0-4][0-9]|[01]?[0-9][0-9]?)\\.){3}(?:25[0-5]|2[0-4][0-9]|[01]?[0-9][0-9]?)")));
  return pattern.match(text).hasMatch();
}

const char* addressFault(const QString& ip, const QString& mask, const QString& gateway) {
  if (!isValidIPv4(ip)) {
    return QT_TRANSLATE_NOOP("Localizable", "IP格式错误");
  }
  if (!isValidIPv4(mask)) {
    return QT_TRANSLATE_NOOP("Localizable", "子网掩码格式错误");
  }
  if (!isValidIPv4(gateway)) {
    return QT_TRANSLATE_NOOP("Localizable", "网关格式错误");
  }
  return nullptr;
}

}  // namespace monitor_app
