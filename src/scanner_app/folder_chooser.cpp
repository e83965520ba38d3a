#include "scanner_app/folder_chooser.h"

#include <QFileDialog>
#include <QtGlobal>

namespace scanner_app {
namespace {

// Qt's Chinese table has no text for the type its file list gives a folder
// (nor the computer's root, a "Drive"), so the chooser's Type column would
// read "Folder" in a Chinese window. Our Chinese table holds them, in Qt's
// own context; they are marked here so that a translator's lupdate keeps
// them.
[[maybe_unused]] constexpr struct {
  const char* source;
  const char* comment;
} kFolderType = QT_TRANSLATE_NOOP3("QAbstractFileIconProvider", "Folder", "All other platforms");
[[maybe_unused]] constexpr const char* kDriveType = QT_TRANSLATE_NOOP("QAbstractFileIconProvider", "Drive");

}  // namespace

std::unique_ptr<QFileDialog> folderDialog(QWidget* parent, const QString& start) {
  auto dialog = std::make_unique<QFileDialog>(parent, QString(), start);
  dialog->setFileMode(QFileDialog::Directory);
  dialog->setOption(QFileDialog::ShowDirsOnly);
  return dialog;
}

std::optional<QString> chooseFolderWithDialog(QWidget* parent, const QString& start) {
  const std::unique_ptr<QFileDialog> dialog = folderDialog(parent, start);
  if (dialog->exec() != QDialog::Accepted) return std::nullopt;
  const QStringList chosen = dialog->selectedFiles();
  return chosen.isEmpty() ? QString() : chosen.front();
}

}  // namespace scanner_app
