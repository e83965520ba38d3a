#include "scanner_app/folder_chooser.h"

#include <QFileDialog>

namespace scanner_app {

std::optional<QString> chooseFolderWithDialog(QWidget* parent, const QString& start) {
  QFileDialog dialog(parent, QString(), start);
  dialog.setFileMode(QFileDialog::Directory);
  dialog.setOption(QFileDialog::ShowDirsOnly);
  if (dialog.exec() != QDialog::Accepted) return std::nullopt;
  const QStringList chosen = dialog.selectedFiles();
  return chosen.isEmpty() ? QString() : chosen.front();
}

}  // namespace scanner_app
