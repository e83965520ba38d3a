#pragma once
// The application's string table: every fixed text the window shows, and
// every status text the models publish, is a key of the context
// "Localizable". A Chinese and an English table are built into the program;
// the user's language chooses one.

#include <QCoreApplication>
#include <QString>
#include <QStringList>

namespace monitor_app {

// The Chinese table for a first UI language of zh (any region or script),
// the English table otherwise.
QString stringTableFor(const QStringList& uiLanguages);

// Loads the table that stringTableFor gives and installs it for the
// application. False when it cannot be loaded (texts then show as their
// keys).
bool installStringTable(QCoreApplication& app, const QStringList& uiLanguages);

// The table's text for a key known only at run time (a status message, an
// alert text of the models), or the key itself when the table lacks it.
// An empty text stays empty.
QString localized(const QString& key);

}  // namespace monitor_app
