// The network scanner of scripts/try-scanner: the scanner simulator
// listening at the given address on port 54321, answering every scan with
// two sample pages of the scan area (try_pages.h), until it is stopped.
//   try-scanner-device <address>
#include <QGuiApplication>
#include <pthread.h>

#include <csignal>
#include <cstdio>
#include <exception>

#include "sim/scanner/scanner_sim.h"
#include "try_pages.h"

int main(int argc, char** argv) {
  if (argc != 2) {
    std::fprintf(stderr, "usage: %s <address>\n", argv[0]);
    return 2;
  }
  // Every thread started from here on leaves the stop signals to sigwait.
  sigset_t stop;
  sigemptyset(&stop);
  sigaddset(&stop, SIGTERM);
  sigaddset(&stop, SIGINT);
  pthread_sigmask(SIG_BLOCK, &stop, nullptr);
  qputenv("QT_QPA_PLATFORM", "offscreen");
  QGuiApplication app(argc, argv);
  sim::scanner::Script script;
  const trytool::SamplePages samples;
  script.pagesFor = [&samples](const sim::ScanRequest& request) { return samples.pagesFor(request); };
  script.connections = 10000;
  try {
    sim::scanner::ScannerSim scanner(std::move(script), argv[1]);
    std::printf("scanner simulator listening at %s:%u\n", scanner.address().c_str(), sim::scanner::kScanPort);
    std::fflush(stdout);
    int signal = 0;
    sigwait(&stop, &signal);
    std::_Exit(0);
  } catch (const std::exception& error) {
    std::fprintf(stderr, "%s\n", error.what());
    return 1;
  }
}
