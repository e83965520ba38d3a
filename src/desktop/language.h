#pragma once
// The language both windowed programs speak, and the tables that make them
// speak it: the program's own string table and Qt's own (the texts of Qt's
// dialogs, context menus and standard buttons). Each program brings its own
// table; the rule that chooses, and the loading, are the same for both.

#include <QObject>
#include <QString>
#include <QStringList>
#include <QTranslator>

namespace desktop {

enum class Language { English, Chinese };

// The first of the user's UI languages (most preferred first, as QLocale
// gives them: "fr-FR", "zh-Hans-CN", "en-GB", ...) that the programs have:
// any Chinese ("zh", whatever its region or script) or any English.
// English when none is either.
Language languageFor(const QStringList& uiLanguages);

// The user's UI languages as the desktop sets them (LANGUAGE, then LC_ALL,
// LC_MESSAGES, LANG). Under the C or POSIX locale for messages (the first
// of LC_ALL, LC_MESSAGES and LANG that is set, C when none is) only "C",
// LANGUAGE then ignored: GNU gettext does the same, so "LC_ALL=C program"
// gives English texts here as it does in every other program. C.UTF-8 is
// not the C locale for this; LANGUAGE counts under it, as in glibc.
QStringList userLanguages();

// A program's own string tables, by the paths they are built in at.
struct StringTables {
  QString english;
  QString chinese;
};

// Loads the program's table of `language` into `table`.
bool loadOwnTable(QTranslator& table, const StringTables& own, Language language);

// Loads Qt's own table of `language` ("qtbase_zh_CN"; "qtbase_en", which
// holds the English plural forms) from Qt's translations folder. Simplified
// Chinese for every Chinese, as the programs' own tables are. False when it
// is not installed (Qt's texts then stay in Qt's English).
bool loadQtTable(QTranslator& table, Language language);

// Installs Qt's table and then the program's own (asked first, so it can
// supply what Qt's lacks), of the language languageFor gives, for as long as
// `owner` lives (a table leaves the application when it is destroyed).
// False when the program's own table cannot be loaded (its texts then show
// as their keys); a missing Qt table only leaves Qt's texts English.
bool installTables(QObject& owner, const QStringList& uiLanguages, const StringTables& own);

}  // namespace desktop
