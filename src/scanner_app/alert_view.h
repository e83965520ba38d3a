#pragma once
// The application's one alert: its title in bold, its message, and one "ok"
// button. Both texts are shown as plain text, whatever they hold. It opens
// centred over the window it belongs to, and stays centred when its texts
// change while it is shown.

#include <QDialog>
#include <QString>

class QLabel;
class QPushButton;

namespace scanner_app {

class AlertView : public QDialog {
  Q_OBJECT

 public:
  explicit AlertView(QWidget* parent = nullptr);

  void setTexts(const QString& title, const QString& message);
  QString title() const;
  QString message() const;
  QPushButton* okButton() const { return ok_; }

 protected:
  void showEvent(QShowEvent* event) override;

 private:
  void centreOverWindow();

  QLabel* title_;
  QLabel* message_;
  QPushButton* ok_;
};

}  // namespace scanner_app
