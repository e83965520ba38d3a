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

// Qt's own table for the same language (the texts Qt's widgets show: a
// text field's context menu, standard buttons), by file name without the
// folder and suffix; empty for English, Qt's own wording.
QString qtTableFor(const QStringList& uiLanguages);

// Loads the table that stringTableFor gives and installs it for the
// application, and Qt's table for that language from Qt's translations
// folder where it is installed (else Qt's texts stay English). False when
// our own table cannot be loaded (texts then show as their keys).
bool installStringTable(QCoreApplication& app, const QStringList& uiLanguages);

// The table's text for a key known only at run time (a status message, an
// alert text of the models), or the key itself when the table lacks it.
// An empty text stays empty.
QString localized(const QString& key);

}  // namespace monitor_app
