#include "monitor_app/string_table.h"

#include <QLibraryInfo>
#include <QTranslator>

// Outside any namespace, as rcc names it.
static void loadStringTableResource() { Q_INIT_RESOURCE(monitor_strings); }

namespace monitor_app {

namespace {

bool chinese(const QStringList& uiLanguages) {
  return !uiLanguages.isEmpty() &&
         (uiLanguages.front() == QLatin1String("zh") || uiLanguages.front().startsWith(QLatin1String("zh-")) ||
          uiLanguages.front().startsWith(QLatin1String("zh_")));
}

bool install(QCoreApplication& app, const QString& file, const QString& folder = {}) {
  auto* table = new QTranslator(&app);
  if (!table->load(file, folder)) {
    delete table;
    return false;
  }
  return QCoreApplication::installTranslator(table);
}

}  // namespace

QString stringTableFor(const QStringList& uiLanguages) {
  return chinese(uiLanguages) ? QStringLiteral(":/translations/monitor_zh_CN.qm")
                              : QStringLiteral(":/translations/monitor_en.qm");
}

QString qtTableFor(const QStringList& uiLanguages) {
  return chinese(uiLanguages) ? QStringLiteral("qtbase_zh_CN") : QString();
}

bool installStringTable(QCoreApplication& app, const QStringList& uiLanguages) {
  loadStringTableResource();
  if (const QString qt = qtTableFor(uiLanguages); !qt.isEmpty()) {
    install(app, qt, QLibraryInfo::path(QLibraryInfo::TranslationsPath));
  }
  return install(app, stringTableFor(uiLanguages));
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
