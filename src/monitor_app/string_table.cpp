#include "monitor_app/string_table.h"

#include <QCoreApplication>

// Outside any namespace, as rcc names it.
static void loadStringTableResource() { Q_INIT_RESOURCE(monitor_strings); }

namespace monitor_app {
namespace {

desktop::StringTables stringTables() {
  loadStringTableResource();
  return {QStringLiteral(":/translations/monitor_en.qm"), QStringLiteral(":/translations/monitor_zh_CN.qm")};
}

}  // namespace

bool installStringTable(QObject& owner, const QStringList& uiLanguages) {
  return desktop::installTables(owner, uiLanguages, stringTables());
}

QString localized(const QString& key) {
  // No advice is an empty text, not a key.
  if (key.isEmpty()) {
    return key;
  }
  const QByteArray utf8 = key.toUtf8();
  return QCoreApplication::translate("Localizable", utf8.constData());
}

}  // namespace monitor_app
