#pragma once
// The Wi-Fi settings pane: the access-point form and the client-mode form
// in two tabs, always opening on the first. Built afresh each time it
// opens.

#include <QTabWidget>
#include <QWidget>

namespace monitor {
class NetworkModel;
}

namespace monitor_app {

class SettingView : public QWidget {
  Q_OBJECT

 public:
  explicit SettingView(monitor::NetworkModel& network, QWidget* parent = nullptr);

  QTabWidget* tabs() const { return tabs_; }

 private:
  QTabWidget* tabs_;
};

}  // namespace monitor_app
