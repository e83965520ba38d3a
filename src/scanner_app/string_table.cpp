#include "scanner_app/string_table.h"

#include <QLibraryInfo>
#include <QLocale>
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

bool loadQtTranslations(QTranslator& table, Language language) {
  const QLocale locale = language == Language::Chinese ? QLocale(QLocale::Chinese, QLocale::China)
                                                       : QLocale(QLocale::English, QLocale::UnitedStates);
  // "qt" gathers the translations of every Qt module; "qtbase" alone holds
  // those of the widgets this program uses.
  const QString folder = QLibraryInfo::path(QLibraryInfo::TranslationsPath);
  return table.load(locale, QStringLiteral("qt"), QStringLiteral("_"), folder) ||
         table.load(locale, QStringLiteral("qtbase"), QStringLiteral("_"), folder);
}

bool installStringTable(QObject& owner, const QStringList& uiLanguages) {
  const Language language = languageFor(uiLanguages);
  // A translator removes itself from the application when it is destroyed.
  auto* qt = new QTranslator(&owner);
  if (loadQtTranslations(*qt, language)) {
    QCoreApplication::installTranslator(qt);
  } else {
    delete qt;
  }
  auto* table = new QTranslator(&owner);
  if (!loadStringTable(*table, language)) {
    delete table;
    return false;
  }
  return QCoreApplication::installTranslator(table);
}

QString text(const char* key) { return QCoreApplication::translate("Localizable", key); }

QString text(std::string_view key) { return text(std::string(key).c_str()); }

}  // namespace scanner_app
