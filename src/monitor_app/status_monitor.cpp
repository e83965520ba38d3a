#include "monitor_app/status_monitor.h"

#include "desktop/launcher.h"
#include "monitor/shared_data.h"
#include "monitor_app/string_table.h"

namespace monitor_app {

void tieToLauncher() {
  desktop::tieToLauncher(QStringLiteral("KTR6620LXV-StateMonitor"), QStringLiteral("ktr6620lxv-statemonitor"));
}

std::unique_ptr<MainWindow> showStatusMonitor(QApplication& app) {
  installStringTable(app, desktop::userLanguages());
  tieToLauncher();
  monitor::PrinterModel& printers = monitor::SharedData::printerModel();
  auto window = std::make_unique<MainWindow>(printers, monitor::SharedData::networkModel());
  window->show();
  return window;
}

}  // namespace monitor_app
