// The real status monitor window with a simulated USB printer attached: the
// simulator answers in this process (umockdev serves the device node), then
// the window starts exactly as the program does, on the process-wide
// models. Network printers, if any, are whatever discovery finds (the
// try-it script runs this inside a private network with snmpd agents).
//
//   umockdev-wrapper try-monitor-window [--no-usb] [--screenshot FILE]
//
// --screenshot FILE: once the first status is shown, writes the window to
// FILE (PNG) and ends.
#include <QApplication>
#include <QCommandLineParser>
#include <QImage>
#include <QTimer>

#include <cstdio>
#include <memory>

#include "device/common/flavour.h"
#include "monitor/printer_model.h"
#include "monitor/shared_data.h"
#include "monitor_app/printer_replies.h"
#include "monitor_app/status_monitor.h"
#include "sim/usb/usb_sim.h"

namespace {

using monitor_sim::printerReply;
using monitor_sim::statusReply;
using sim::usb::Answer;

// A printer at rest with 73% toner and Wi-Fi settings to look at.
void scriptPrinter(sim::usb::Device& printer) {
  printer.replyToControl(0xC0, 4, Answer::bytes(statusReply(1, 73)));
  printer.replyToCommand("CheckwifiAP?", printerReply("8014,0;KTR6620LXV-AP\r\n6\r\n12345678\r\n192.168.1.1\r\n"
                                                     "255.255.255.0\r\n192.168.1.1"));
  printer.replyToCommand("CheckwifiSTA?",
                         printerReply("8013,0;Office\r\nsecret-1\r\nD\r\n0.0.0.0\r\n0.0.0.0\r\n0.0.0.0"));
  printer.replyToCommand("Checkwifiserver?", printerReply("8012,3;Office-7\r\nHome-4\r\nCafe-1;"));
  printer.replyToCommandsStartingWith("SetwifiAP=", printerReply("8004,0;"));
  printer.replyToCommandsStartingWith("SetwifiSTA=", printerReply("8002,0;"));
}

}  // namespace

int main(int argc, char** argv) {
  device::setFlavour(device::Flavour::StatusMonitor);
  // Before the first USB access: libusb must enumerate the simulated bus.
  sim::usb::Testbed bed;
  if (!bed.active()) {
    std::fprintf(stderr, "%s: run me under umockdev-wrapper\n", argv[0]);
    return 2;
  }

  QApplication app(argc, argv);
  QCommandLineParser options;
  options.addHelpOption();
  const QCommandLineOption noUsb(QStringLiteral("no-usb"), QStringLiteral("Attach no USB printer."));
  const QCommandLineOption screenshot(QStringLiteral("screenshot"),
                                      QStringLiteral("Write the window to <file> once a status shows, then end."),
                                      QStringLiteral("file"));
  options.addOption(noUsb);
  options.addOption(screenshot);
  options.process(app);

  if (!options.isSet(noUsb)) {
    scriptPrinter(bed.addDevice());
  }

  const auto window = monitor_app::showStatusMonitor(app);
  if (options.isSet(screenshot)) {
    const QString file = options.value(screenshot);
    auto* poll = new QTimer(&app);
    int ticks = 0;
    QObject::connect(poll, &QTimer::timeout, &app, [&, poll] {
      // "Connecting" lasts until the queued USB read has run.
      const monitor::StatusInfo& status = monitor::SharedData::printerModel().statusInfo();
      const bool shown = status.message != QStringLiteral("正在连接") && status.message != QStringLiteral("connecting");
      if (!shown && ++ticks < 100) {
        return;
      }
      poll->stop();
      const bool saved = window->grab().toImage().save(file, "PNG");
      std::fprintf(stderr, saved ? "screenshot written to %s\n" : "cannot write %s\n", qPrintable(file));
      QApplication::exit(saved ? 0 : 1);
    });
    poll->start(100);
  }
  return QApplication::exec();
}
