// KTR6620LXV-StateMonitor: the status monitor's entry.
#include <QApplication>

#include "device/common/flavour.h"
#include "monitor_app/status_monitor.h"

int main(int argc, char** argv) {
  device::setFlavour(device::Flavour::StatusMonitor);
  QApplication app(argc, argv);
  const auto window = monitor_app::showStatusMonitor(app);
  return QApplication::exec();
}
