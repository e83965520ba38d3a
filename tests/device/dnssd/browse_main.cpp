// The browser as the status monitor carries it: started on the GUI thread
// under Qt's event loop, printing until the process is told to stop
// (SIGTERM), then dropped on that thread.
#include <glib-unix.h>

#include <QCoreApplication>

#include <csignal>

#include "device/dnssd/browser.h"

int main(int argc, char** argv) {
  QCoreApplication application(argc, argv);
  g_unix_signal_add(
      SIGTERM,
      [](gpointer) -> gboolean {
        QCoreApplication::quit();
        return G_SOURCE_REMOVE;
      },
      nullptr);
  device::dnssd::Browser browser;
  browser.start();
  return QCoreApplication::exec();
}
