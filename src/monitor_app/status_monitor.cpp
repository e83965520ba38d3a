#include "monitor_app/status_monitor.h"

#include "monitor/shared_data.h"
#include "monitor_app/string_table.h"

namespace monitor_app {

std::unique_ptr<MainWindow> showStatusMonitor(QApplication& app) {
  installStringTable(app, desktop::userLanguages());
  // Ties the window to the desktop entry (its name and icon in the task bar).
  QGuiApplication::setDesktopFileName(QStringLiteral("ktr6620lxv-statemonitor"));
  monitor::PrinterModel& printers = monitor::SharedData::printerModel();
  auto window = std::make_unique<MainWindow>(printers, monitor::SharedData::networkModel());
  window->show();
  return window;
}

}  // namespace monitor_app
