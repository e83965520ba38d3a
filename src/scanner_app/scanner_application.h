#pragma once
// What the program's entry does once the application object exists: the
// string table of the user's language, the program's ties to its launcher,
// then the one window, whose model queues discovery. Shared by the program
// and the tool that runs it against simulated scanners.

#include <QApplication>

#include <memory>

#include "scanner_app/content_view.h"

namespace scanner_app {

// Ties the program's windows to its desktop entry,
// ktr6620lxv-scanner.desktop (its name and icon in a dock or task bar).
void tieToLauncher();

// Installs the string table for the user's language, ties the program to
// its launcher, builds the window and shows it.
std::unique_ptr<ContentView> showScanner(QApplication& app);

}  // namespace scanner_app
