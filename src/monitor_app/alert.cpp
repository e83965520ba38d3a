#include "monitor_app/alert.h"

#include <utility>

#include "desktop/alert.h"

namespace monitor_app {

QDialog* openAlert(QWidget* over, const QString& title, const QString& message, const QString& button,
                   std::function<void()> dismissed) {
  auto* alert = new desktop::Alert(over, button);
  alert->setAttribute(Qt::WA_DeleteOnClose);
  alert->setTexts(title, message);
  if (dismissed) {
    QObject::connect(alert, &QDialog::finished, alert, [dismissed = std::move(dismissed)](int) { dismissed(); });
  }
  alert->open();
  return alert;
}

}  // namespace monitor_app
