#include "scanner_app/string_table.h"

#include <string>

// Outside any namespace, as rcc names it.
static void initStringTableResource() { Q_INIT_RESOURCE(scanner_strings); }

namespace scanner_app {

Language languageFor(const QStringList& uiLanguages) {
  for (const QString& language : uiLanguages) {
    const QString primary = language.section(QLatin1Char('-'), 0, 0).section(QLatin1Char('_'), 0, 0);
    if (primary.compare(QLatin1String("zh"), Qt::CaseInsensitive) == 0) return Language::Chinese;
    if (primary.compare(QLatin1String("en"), Qt::CaseInsensitive) == 0) return Language::English;
  }
  return Language::English;
}

bool loadStringTable(QTranslator& table, Language language) {
  initStringTableResource();
  return table.load(language == Language::Chinese ? QStringLiteral(":/translations/scanner_zh_CN.qm")
                                                  : QStringLiteral(":/translations/scanner_en.qm"));
}

bool installStringTable(QCoreApplication& app, const QStringList& uiLanguages) {
  auto* table = new QTranslator(&app);
  if (!loadStringTable(*table, languageFor(uiLanguages))) {
    delete table;
    return false;
  }
  return QCoreApplication::installTranslator(table);
}

QString text(const char* key) { return QCoreApplication::translate("Localizable", key); }

QString text(std::string_view key) { return text(std::string(key).c_str()); }

}  // namespace scanner_app
