#include "monitor_app/alert.h"

#include <QDialogButtonBox>
#include <QLabel>
#include <QPushButton>
#include <QVBoxLayout>

#include <utility>

namespace monitor_app {

QDialog* openAlert(QWidget* over, const QString& title, const QString& message, const QString& button,
                   std::function<void()> dismissed) {
  QWidget* window = over != nullptr ? over->window() : nullptr;
  auto* alert = new QDialog(window);
  alert->setObjectName(QStringLiteral("alert"));
  alert->setAttribute(Qt::WA_DeleteOnClose);
  alert->setWindowModality(Qt::WindowModal);
  alert->setWindowTitle(title);

  auto* layout = new QVBoxLayout(alert);
  auto* heading = new QLabel(title);
  heading->setObjectName(QStringLiteral("alertTitle"));
  heading->setTextFormat(Qt::PlainText);
  heading->setAlignment(Qt::AlignCenter);
  QFont bold = heading->font();
  bold.setBold(true);
  heading->setFont(bold);
  auto* text = new QLabel(message);
  text->setObjectName(QStringLiteral("alertMessage"));
  text->setTextFormat(Qt::PlainText);
  text->setAlignment(Qt::AlignCenter);
  text->setWordWrap(true);
  auto* buttons = new QDialogButtonBox(Qt::Horizontal);
  buttons->setCenterButtons(true);
  QPushButton* close = buttons->addButton(button, QDialogButtonBox::AcceptRole);
  close->setObjectName(QStringLiteral("alertButton"));
  close->setDefault(true);
  layout->addWidget(heading);
  layout->addWidget(text);
  layout->addWidget(buttons);
  QObject::connect(buttons, &QDialogButtonBox::accepted, alert, &QDialog::accept);
  if (dismissed) {
    QObject::connect(alert, &QDialog::finished, alert, [dismissed = std::move(dismissed)](int) { dismissed(); });
  }
  alert->open();
  return alert;
}

}  // namespace monitor_app
