#pragma once
// What the program's entry does once the application object exists: the
// string table of the user's language, the program's ties to its launcher,
// then the one window on the process-wide models. Shared by the program and
// the tools that run it against simulated printers.

#include <QApplication>

#include <memory>

#include "monitor_app/main_window.h"

namespace monitor_app {

// Ties the program's windows to its desktop entry,
// ktr6620lxv-statemonitor.desktop (its name and icon in a dock or task bar).
void tieToLauncher();

// Installs the string table for the user's language, ties the program to
// its launcher, builds the window (the first access to the printer model
// runs discovery to its end) and shows it.
std::unique_ptr<MainWindow> showStatusMonitor(QApplication& app);

}  // namespace monitor_app
