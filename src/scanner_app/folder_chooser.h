#pragma once
// The folder chooser behind the "browser" button, as a seam: the window runs
// the platform's dialog, tests answer in its place.

#include <QString>
#include <functional>
#include <memory>
#include <optional>

class QFileDialog;
class QWidget;

namespace scanner_app {

// Asks for a folder, starting at `start`. Nothing when the user cancels; an
// empty text when the dialog was accepted without a folder.
using FolderChooser = std::function<std::optional<QString>(QWidget* parent, const QString& start)>;

// The dialog of chooseFolderWithDialog, not yet shown: it lists and returns
// folders only.
std::unique_ptr<QFileDialog> folderDialog(QWidget* parent, const QString& start);

// Runs folderDialog modally.
std::optional<QString> chooseFolderWithDialog(QWidget* parent, const QString& start);

}  // namespace scanner_app
