#pragma once
// What the program's entry does once the application object exists: the
// string table of the user's language, then the one window on the
// process-wide models. Shared by the program and the tools that run it
// against simulated printers.

#include <QApplication>

#include <memory>

#include "monitor_app/main_window.h"

namespace monitor_app {

// Installs the string table for the user's language, builds the window (the
// first access to the printer model runs discovery to its end) and shows
// it.
std::unique_ptr<MainWindow> showStatusMonitor(QApplication& app);

}  // namespace monitor_app
