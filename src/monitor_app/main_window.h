#pragma once
// The status monitor's one window: the printer list on the left, the
// status panel on the right, each column held to its width range however
// the window is resized, and never smaller than its content needs: a
// status that needs more height makes the window grow.

#include <QMainWindow>

namespace monitor {
class NetworkModel;
class PrinterModel;
}  // namespace monitor

namespace monitor_app {

class SidebarView;
class StatusInfoView;

class MainWindow : public QMainWindow {
  Q_OBJECT

 public:
  MainWindow(monitor::PrinterModel& printers, monitor::NetworkModel& network, QWidget* parent = nullptr);

  SidebarView* sidebar() const { return sidebar_; }
  StatusInfoView* statusPanel() const { return statusPanel_; }

 protected:
  void resizeEvent(QResizeEvent* event) override;

 private:
  SidebarView* sidebar_;
  StatusInfoView* statusPanel_;
};

}  // namespace monitor_app
