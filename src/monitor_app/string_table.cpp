#include "monitor_app/string_table.h"

#include <QTranslator>

// Outside any namespace, as rcc names it.
static void loadStringTableResource() { Q_INIT_RESOURCE(monitor_strings); }

namespace monitor_app {

QString stringTableFor(const QStringList& uiLanguages) {
  const bool chinese = !uiLanguages.isEmpty() && (uiLanguages.front() == QLatin1String("zh") ||
                                                  uiLanguages.front().startsWith(QLatin1String("zh-")) ||
                                                  uiLanguages.front().startsWith(QLatin1String("zh_")));
  return chinese ? QStringLiteral(":/translations/monitor_zh_CN.qm") : QStringLiteral(":/translations/monitor_en.qm");
}

bool installStringTable(QCoreApplication& app, const QStringList& uiLanguages) {
  loadStringTableResource();
  auto* table = new QTranslator(&app);
  if (!table->load(stringTableFor(uiLanguages))) {
    delete table;
    return false;
  }
  return QCoreApplication::installTranslator(table);
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
