#pragma once
// The status monitor's one window: the printer list on the left, the
// status panel on the right, each column held to its width range however
// the window is resized, and never smaller than its content needs at its
// width: a status that needs more height makes the window grow (moving it
// up so that its foot stays on the screen), and once it no longer needs it
// the window takes back the height it had, and the place, unless the user
// moved it meanwhile.

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
  bool event(QEvent* event) override;
  void resizeEvent(QResizeEvent* event) override;

 private:
  // The height the window has when its content asks for no more: the
  // height it opened with, or the one the user gave it.
  int chosenHeight_ = 0;
  // Lifted to keep its foot on the screen: from which top, to where (its
  // place, by which a move of the user's shows).
  bool lifted_ = false;
  int unliftedTop_ = 0;
  QPoint liftedTo_;
  SidebarView* sidebar_;
  StatusInfoView* statusPanel_;
};

}  // namespace monitor_app
