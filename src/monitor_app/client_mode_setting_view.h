#pragma once
// The client-mode form: which hot spot the printer joins, its password, and
// automatic or manual addressing. It starts from the network model's record
// as read when the pane opened and writes it back only on OK, just before
// sending. Every alert of this form closes the whole pane when dismissed.

#include <QComboBox>
#include <QLineEdit>
#include <QPushButton>
#include <QWidget>

namespace monitor {
class NetworkModel;
}

namespace monitor_app {

class ClientModeSettingView : public QWidget {
  Q_OBJECT

 public:
  explicit ClientModeSettingView(monitor::NetworkModel& network, QWidget* parent = nullptr);

 private:
  void hotSpotPicked(int row);
  void enableOk();
  void addressingPicked();
  void confirm();
  void closePane();
  void showResult(const QString& title, const QString& message);

  monitor::NetworkModel& network_;
  QComboBox* hotSpots_;
  QLineEdit* wifiPassword_;
  QComboBox* addressing_;
  QLineEdit* ip_;
  QLineEdit* mask_;
  QLineEdit* gateway_;
  QPushButton* ok_;
};

}  // namespace monitor_app
