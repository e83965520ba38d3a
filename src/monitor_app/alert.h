#pragma once
// The window's alerts: a bold title, a message and one button, over the
// window (window-modal). Title and message are shown as plain text, exactly
// as given (the caller has looked them up in the string table already).

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
