#pragma once
// The application's string tables: every text the window shows, and every
// alert text the scanner model raises, is a key of the context
// "Localizable". An English and a Chinese table are built into the program;
// the user's languages choose one, English when none of them is either.

#include <QCoreApplication>
#include <QString>
#include <QStringList>
#include <QTranslator>
#include <string_view>

namespace scanner_app {

enum class Language { English, Chinese };

// The first of the user's UI languages (most preferred first, as QLocale
// gives them: "zh-Hans-CN", "en-GB", ...) that is English or Chinese.
Language languageFor(const QStringList& uiLanguages);

// Loads the built-in table of `language` into `table`.
bool loadStringTable(QTranslator& table, Language language);

// Loads Qt's own translations of `language` (the texts of its dialogs and
// context menus) from Qt's translations folder into `table`. False when they
// are not installed; Qt's texts then stay English.
bool loadQtTranslations(QTranslator& table, Language language);

// Installs the table for the user's languages and Qt's own translations of
// the same language, for as long as `owner` (the application) lives. False
// when the table cannot be loaded (every text then shows as its key);
// missing Qt translations only leave Qt's texts in English.
bool installStringTable(QObject& owner, const QStringList& uiLanguages);

// The installed table's text of `key`, or the key itself when it has none.
QString text(const char* key);
QString text(std::string_view key);

}  // namespace scanner_app
