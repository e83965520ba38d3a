#pragma once
// The window's alerts: the desktop alert (a bold title, a message and one
// button, over the window), opened for one message and gone when closed.

#include <QDialog>
#include <QString>
#include <QWidget>

#include <functional>

namespace monitor_app {

// Opens the alert over `over`'s window and returns at once. The alert
// deletes itself when it closes; `dismissed` runs once, however it closes
// (its button, Escape, the window manager).
QDialog* openAlert(QWidget* over, const QString& title, const QString& message, const QString& button,
                   std::function<void()> dismissed = {});

}  // namespace monitor_app
