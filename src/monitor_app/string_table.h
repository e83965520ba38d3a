#pragma once
// The application's string table: every fixed text the window shows, and
// every status text the models publish, is a key of the context
// "Localizable". A Chinese and an English table are built into the program;
// the user's languages choose one by the desktop's language rule (the first
// of them that is Chinese or English; English when none is).

#include <QObject>
#include <QString>
#include <QStringList>

#include "desktop/language.h"

namespace monitor_app {

// Installs the table of the user's languages and Qt's own table of the same
// language, for as long as `owner` (the application) lives. False when our
// own table cannot be loaded (texts then show as their keys).
bool installStringTable(QObject& owner, const QStringList& uiLanguages);

// The table's text for a key known only at run time (a status message, an
// alert text of the models), or the key itself when the table lacks it.
// An empty text stays empty.
QString localized(const QString& key);

}  // namespace monitor_app
