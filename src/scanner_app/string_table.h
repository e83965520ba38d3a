#pragma once
// The application's string tables: every text the window shows, and every
// alert text the scanner model raises, is a key of the context
// "Localizable". An English and a Chinese table are built into the program;
// the user's languages choose one by the desktop's language rule (the first
// of them that is Chinese or English; English when none is). The Chinese
// table also holds the few texts of Qt's folder chooser that Qt's own
// Chinese table lacks, in Qt's contexts for them.

#include <QObject>
#include <QString>
#include <QStringList>
#include <QTranslator>
#include <string_view>

#include "desktop/language.h"

namespace scanner_app {

using desktop::Language;

// Loads the built-in table of `language` into `table`.
bool loadStringTable(QTranslator& table, Language language);

// Installs the table for the user's languages and Qt's own table of the
// same language, for as long as `owner` (the application) lives. False when
// our table cannot be loaded (every text then shows as its key); a missing
// Qt table only leaves Qt's texts in English.
bool installStringTable(QObject& owner, const QStringList& uiLanguages);

// The installed table's text of `key`, or the key itself when it has none.
QString text(const char* key);
QString text(std::string_view key);

}  // namespace scanner_app
