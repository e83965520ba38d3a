#include "scanner_app/folder_chooser.h"

#include <QFileDialog>

namespace scanner_app {

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
