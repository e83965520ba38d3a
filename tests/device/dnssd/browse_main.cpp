// The browser as the status monitor carries it: started on the GUI thread
// under Qt's event loop, printing until the process is told to stop
// (SIGTERM), then dropped on that thread. The signal is read from a
// signalfd under the same loop, so the program ends whichever loop Qt runs.
#include <sys/signalfd.h>
#include <unistd.h>

#include <QCoreApplication>
#include <QSocketNotifier>

#include <csignal>

#include "device/dnssd/browser.h"

int main(int argc, char** argv) {
  // Blocked before Qt starts a thread, so that every thread leaves SIGTERM
  // to the signalfd.
  sigset_t terminate;
  sigemptyset(&terminate);
  sigaddset(&terminate, SIGTERM);
  pthread_sigmask(SIG_BLOCK, &terminate, nullptr);
  const int requests = signalfd(-1, &terminate, SFD_CLOEXEC);
  if (requests < 0) return 1;

  QCoreApplication application(argc, argv);
  QSocketNotifier terminated(requests, QSocketNotifier::Read);
  QObject::connect(&terminated, &QSocketNotifier::activated, &application, &QCoreApplication::quit);
  device::dnssd::Browser browser;
  browser.start();
  const int status = QCoreApplication::exec();
  close(requests);
  return status;
}
