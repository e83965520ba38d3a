#pragma once
// The window's right column: the selected printer (name, picture, how it is
// attached), its status in the level's colour with the advice, the toner
// gauge; for a USB printer the button that reads the printer's Wi-Fi
// settings and opens the settings pane over the information row.

#include <QLabel>
#include <QPointer>
#include <QPushButton>
#include <QStackedWidget>
#include <QWidget>

namespace monitor {
class NetworkModel;
class PrinterModel;
}  // namespace monitor

namespace monitor_app {

class SettingView;

class StatusInfoView : public QWidget {
  Q_OBJECT

 public:
  StatusInfoView(monitor::PrinterModel& printers, monitor::NetworkModel& network, QWidget* parent = nullptr);

  // The first control Tab reaches here: the network-setting button.
  QWidget* firstInTabOrder() const { return networkSetting_; }

 protected:
  void showEvent(QShowEvent* event) override;
  void changeEvent(QEvent* event) override;
  bool eventFilter(QObject* watched, QEvent* event) override;

 private:
  QWidget* makePrinterBlock();
  QWidget* makeStatusBlock();
  void showPrinter();
  void showStatus();
  void showOrHidePane();
  void openNetworkSetting();
  void openNoPrinterAlert();

  monitor::PrinterModel& printers_;
  monitor::NetworkModel& network_;
  // Decided once, when the panel is made: the window opened without a
  // printer.
  bool noPrinterAlertDue_;

  QLabel* headerName_ = nullptr;
  QPushButton* networkSetting_ = nullptr;
  QStackedWidget* body_ = nullptr;
  QWidget* informationRow_ = nullptr;
  QPointer<SettingView> pane_;
  QWidget* printerBlock_ = nullptr;
  QLabel* picture_ = nullptr;
  QLabel* blockName_ = nullptr;
  QLabel* attachment_ = nullptr;
  QLabel* address_ = nullptr;
  QLabel* message_ = nullptr;
  QLabel* advice_ = nullptr;
};

}  // namespace monitor_app
