#pragma once
// How the desktop ties a program's windows to its entry in the application
// menu, so that a dock or task bar shows the entry's name and icon beside
// its launcher and groups them: under X11 it matches the windows' WM_CLASS
// (whose class Qt takes from the application's name) against the entry's
// StartupWMClass, under Wayland the windows' app id (Qt's desktop file
// name) against the entry's file name. Set before the first window is made.

#include <QString>

namespace desktop {

// `program`: the program's file name, which the entry's Exec and
// StartupWMClass give; `entry`: the entry's file name without ".desktop".
// The class stays the program's name also when it is started under another
// name (a link, a path of its own).
void tieToLauncher(const QString& program, const QString& entry);

}  // namespace desktop
