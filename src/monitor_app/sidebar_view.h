#pragma once
// The window's left column: the header with the refresh button, and one
// row per printer the model found, the selected one white on blue.

#include <QVBoxLayout>
#include <QWidget>

#include <vector>

#include "monitor/printer.h"

namespace monitor {
class NetworkModel;
class PrinterModel;
}  // namespace monitor

namespace monitor_app {

class PrinterRow;

class SidebarView : public QWidget {
  Q_OBJECT

 public:
  SidebarView(monitor::PrinterModel& printers, monitor::NetworkModel& network, QWidget* parent = nullptr);

  // The last control Tab reaches here: the last row, else the refresh
  // button.
  QWidget* lastInTabOrder() const;

 private:
  void refresh();
  void choose(const monitor::Printer& printer);
  void rebuildRows();
  void restyleRows();

  monitor::PrinterModel& printers_;
  monitor::NetworkModel& network_;
  QWidget* refresh_;
  QVBoxLayout* rowLayout_;
  struct Row {
    PrinterRow* button;
    monitor::Printer printer;  // the list element the row stands for
  };
  std::vector<Row> rows_;
};

}  // namespace monitor_app
