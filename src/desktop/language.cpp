#include "desktop/language.h"

#include <QByteArray>
#include <QCoreApplication>
#include <QLibraryInfo>
#include <QLocale>

namespace desktop {

Language languageFor(const QStringList& uiLanguages) {
  for (const QString& language : uiLanguages) {
    // "zh-Hans-CN", "zh_TW", "en": the language is what comes before the
    // first separator.
    const QString primary = language.section(QLatin1Char('-'), 0, 0).section(QLatin1Char('_'), 0, 0);
    if (primary.compare(QLatin1String("zh"), Qt::CaseInsensitive) == 0) return Language::Chinese;
    if (primary.compare(QLatin1String("en"), Qt::CaseInsensitive) == 0) return Language::English;
  }
  return Language::English;
}

namespace {

bool messagesInCLocale() {
  for (const char* variable : {"LC_ALL", "LC_MESSAGES", "LANG"}) {
    const QByteArray value = qgetenv(variable);
    if (!value.isEmpty()) {
      return value == "C" || value == "POSIX";
    }
  }
  return true;
}

}  // namespace

QStringList userLanguages() {
  if (messagesInCLocale()) {
    return {QStringLiteral("C")};
  }
  return QLocale::system().uiLanguages();
}

bool loadOwnTable(QTranslator& table, const StringTables& own, Language language) {
  return table.load(language == Language::Chinese ? own.chinese : own.english);
}

bool loadQtTable(QTranslator& table, Language language) {
  const QLocale locale = language == Language::Chinese ? QLocale(QLocale::Chinese, QLocale::China)
                                                       : QLocale(QLocale::English, QLocale::UnitedStates);
  // "qtbase" holds the texts of every widget the programs use.
  return table.load(locale, QStringLiteral("qtbase"), QStringLiteral("_"),
                    QLibraryInfo::path(QLibraryInfo::TranslationsPath));
}

bool installTables(QObject& owner, const QStringList& uiLanguages, const StringTables& own) {
  const Language language = languageFor(uiLanguages);
  auto* qt = new QTranslator(&owner);
  if (loadQtTable(*qt, language)) {
    QCoreApplication::installTranslator(qt);
  } else {
    delete qt;
  }
  auto* table = new QTranslator(&owner);
  if (!loadOwnTable(*table, own, language)) {
    delete table;
    return false;
  }
  return QCoreApplication::installTranslator(table);
}

}  // namespace desktop
