// The real window of scripts/try-scanner, with the USB scanner simulated on
// umockdev in this process (run it under umockdev-wrapper; without it the
// window only finds network scanners). The simulated USB scanner answers
// every scan with two sample pages of the scan area (try_pages.h).
//   try-scanner-window --save-dir <folder> [--screenshot <file.png>]
// With --screenshot the window is captured once discovery has found the
// scanners, and the program ends.
#include <QApplication>
#include <QCommandLineParser>
#include <QComboBox>
#include <QScreen>
#include <QTimer>
#include <cstdio>
#include <memory>

#include "device/common/flavour.h"
#include "scanner_app/content_view.h"
#include "scanner_app/scanner_application.h"
#include "scanner_app/string_table.h"
#include "sim/usb/scanner.h"
#include "try_pages.h"

namespace {

// Every scan gets the two sample pages made for it, then the job end.
sim::usb::ScannerScript usbScans(const trytool::SamplePages& samples) {
  sim::usb::ScannerScript script;
  script.streamFor = [&samples](const sim::ScanRequest& request) {
    std::vector<std::shared_ptr<const std::vector<std::uint8_t>>> pages;
    for (auto& page : samples.pagesFor(request)) {
      pages.push_back(std::make_shared<const std::vector<std::uint8_t>>(std::move(page)));
    }
    return sim::usb::pagesThenEnd(pages);
  };
  return script;
}

}  // namespace

int main(int argc, char** argv) {
  device::setFlavour(device::Flavour::Scanner);
  QApplication app(argc, argv);
  QCommandLineParser options;
  options.addOption({QStringLiteral("save-dir"), QStringLiteral("Folder scans are saved in."), QStringLiteral("folder")});
  options.addOption({QStringLiteral("screenshot"), QStringLiteral("Capture the window and quit."), QStringLiteral("file")});
  options.process(app);
  scanner_app::installStringTable(app, desktop::userLanguages());
  scanner_app::tieToLauncher();

  const trytool::SamplePages samples;
  sim::usb::Testbed bus;
  std::unique_ptr<sim::usb::Scanner> usbScanner;
  if (bus.active()) {
    usbScanner = std::make_unique<sim::usb::Scanner>(bus.addDevice(sim::usb::ktr6620lxvScanner()), usbScans(samples));
  } else {
    std::fprintf(stderr, "not under umockdev-wrapper: no simulated USB scanner\n");
  }

  scanner_app::ContentView window;
  if (options.isSet(QStringLiteral("save-dir"))) {
    window.settingView().state().setSaveDir(options.value(QStringLiteral("save-dir")));
  }
  window.show();

  if (options.isSet(QStringLiteral("screenshot"))) {
    const QString file = options.value(QStringLiteral("screenshot"));
    auto* poll = new QTimer(&app);
    QObject::connect(poll, &QTimer::timeout, &app, [&window, file, poll] {
      const auto* picker = window.findChild<QComboBox*>(QStringLiteral("scannerPicker"));
      const bool found = picker->count() > 0 || window.settingView().alertView() != nullptr;
      if (!found || !window.settingView().isEnabled()) return;
      poll->stop();
      // Let the picker and the alert settle on screen first.
      QTimer::singleShot(500, &window, [&window, file] {
        const bool saved = window.screen()->grabWindow(window.winId()).save(file, "PNG");
        std::printf("%s %s\n", saved ? "screenshot saved as" : "could not save the screenshot as", qPrintable(file));
        QCoreApplication::exit(saved ? 0 : 1);
      });
    });
    poll->start(100);
  }
  return QApplication::exec();
}
