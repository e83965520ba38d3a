#pragma once
// The access-point form: the printer's own hot spot (name, encryption,
// password). It starts from the network model's record as read when the
// pane opened, writes it back only on OK after checking the address, mask
// and gateway it carries, and sends it. Its alerts leave the pane open.

#include <QComboBox>
#include <QLineEdit>
#include <QPushButton>
#include <QString>
#include <QWidget>

namespace monitor {
class NetworkModel;
}

namespace monitor_app {

class APSettingView : public QWidget {
  Q_OBJECT

 public:
  explicit APSettingView(monitor::NetworkModel& network, QWidget* parent = nullptr);

 private:
  void confirm();
  void cancel();

  monitor::NetworkModel& network_;
  QLineEdit* apName_;
  QComboBox* encryption_;
  QLineEdit* apPassword_;
  // Carried unchanged from the record: the form has no fields for them.
  QString ip_;
  QString mask_;
  QString gateway_;
};

}  // namespace monitor_app
