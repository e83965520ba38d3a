// Figures of the status monitor's start-up and responsiveness, with the real
// device layer and the real window against simulated printers: discovery
// runs in a private network namespace with the full listening time, the USB
// printer is the simulator under umockdev. The client has one address on
// the printers' network (192.0.2.1/25) and, with --addresses 2 or 3, one or
// two more on empty networks (192.0.2.129/26, 192.0.2.193/26), as a desktop
// with a container or virtual-machine bridge has.
//
//   bench-monitor [runs] [--addresses N]
//       runs: default 5; N: 1, 2 or 3 (default: each in turn).
//       Needs root for the namespaces.
//
// Start-up: from the application object's construction to the first frame
// of the window, and to the first frame that shows a printer's status
//   - with one USB printer and no network printer;
//   - with a network printer that answered discovery and then went dark.
// Then 30 s of polling that dead network printer (one address): the longest
// stretch in which the event loop did not run (a 10 ms heartbeat timer's
// largest gap).
//
// Each run is a fresh process (the models are made once per process); the
// program runs itself with --scenario under umockdev-wrapper.

#include <QApplication>
#include <QElapsedTimer>
#include <QLabel>
#include <QTimer>

#include <unistd.h>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <map>
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "device/common/flavour.h"
#include "monitor/monitor_devices.h"
#include "monitor/network_model.h"
#include "monitor/printer_model.h"
#include "monitor/snmp_fixture.h"
#include "monitor_app/main_window.h"
#include "monitor_app/printer_replies.h"
#include "monitor_app/string_table.h"
#include "sim/net/test_network.h"
#include "sim/snmp/snmp_agent.h"
#include "sim/usb/usb_sim.h"

namespace {

using Clock = std::chrono::steady_clock;

double msSince(Clock::time_point start) {
  return std::chrono::duration<double, std::milli>(Clock::now() - start).count();
}

// Watches the window being drawn: the first frame, and the first frame in
// which the status message is a printer's status (not "connecting").
class FrameWatch : public QObject {
 public:
  FrameWatch(Clock::time_point start, QString connecting) : start_(start), connecting_(std::move(connecting)) {}

  std::optional<double> firstFrame;
  std::optional<double> firstStatus;

 protected:
  bool eventFilter(QObject* watched, QEvent* event) override {
    if (event->type() == QEvent::Paint) {
      if (!firstFrame) firstFrame = msSince(start_);
      if (!firstStatus && watched->objectName() == QLatin1String("statusMessage")) {
        const auto* label = static_cast<QLabel*>(watched);
        if (!label->text().isEmpty() && label->text() != connecting_) firstStatus = msSince(start_);
      }
    }
    return false;
  }

 private:
  Clock::time_point start_;
  QString connecting_;
};

// One start-up in this process; prints "key value" lines.
int runScenario(int argc, char** argv, const std::string& scenario, int addresses) {
  device::setFlavour(device::Flavour::StatusMonitor);
  const bool usb = scenario == "usb";
  const bool stall = scenario == "dead-net-stall";

  sim::usb::Testbed bed;
  if (!bed.active()) {
    std::fprintf(stderr, "run under umockdev-wrapper\n");
    return 1;
  }
  if (usb) {
    bed.addDevice().replyToControl(0xC0, 4, sim::usb::Answer::bytes(monitor_sim::statusReply(1, 73)));
  }

  sim::net::TestNetwork network;
  const std::string lan = network.addSegment();
  const std::string client = network.addHost("cli");
  network.attach(client, lan, "eth0", "192.0.2.1/25");
  const char* const emptyNetworks[] = {"192.0.2.129/26", "192.0.2.193/26"};
  for (int i = 1; i < addresses && i <= 2; ++i) {
    network.attach(client, network.addSegment(), "eth" + std::to_string(i), emptyNetworks[i - 1]);
  }
  std::unique_ptr<sim::snmp::SnmpAgent> agent;
  if (!usb) {
    const std::string host = network.addHost("p1");
    network.attach(host, lan, "eth0", "192.0.2.11/25");
    sim::snmp::AgentConfig config;
    config.objects = monitor_test::printerObjects("1,ready", "80");
    agent = std::make_unique<sim::snmp::SnmpAgent>(config, "udp:161", "192.0.2.11", host);
  }
  const sim::net::ThreadInNamespace inClient(client);

  if (std::getenv("QT_QPA_PLATFORM") == nullptr) qputenv("QT_QPA_PLATFORM", "offscreen");
  const Clock::time_point start = Clock::now();
  QApplication app(argc, argv);
  monitor_app::installStringTable(app, {"en"});
  FrameWatch watch(start, monitor_app::localized(QStringLiteral("正在连接")));
  app.installEventFilter(&watch);

  monitor::MonitorDevices devices = monitor::realDevices();
  double discoveryMs = 0;
  const auto discover = devices.snmpDiscover;
  devices.snmpDiscover = [&](std::string& list) {
    const Clock::time_point began = Clock::now();
    const long result = discover(list);
    discoveryMs = msSince(began);
    agent.reset();  // the printer goes dark right after answering discovery
    return result;
  };
  monitor::PrinterModel printers(devices);
  monitor::NetworkModel wifi(printers, devices);
  monitor_app::MainWindow window(printers, wifi);
  window.show();

  QElapsedTimer waited;
  waited.start();
  while ((!watch.firstFrame || !watch.firstStatus) && waited.elapsed() < 20000) {
    QApplication::processEvents(QEventLoop::AllEvents, 10);
  }
  std::printf("discovery_ms %.0f\n", discoveryMs);
  std::printf("window_ms %.0f\n", watch.firstFrame.value_or(-1));
  std::printf("status_ms %.0f\n", watch.firstStatus.value_or(-1));

  if (stall) {
    Clock::time_point last = Clock::now();
    double longest = 0;
    QTimer heartbeat;
    heartbeat.setTimerType(Qt::PreciseTimer);
    QObject::connect(&heartbeat, &QTimer::timeout, [&] {
      longest = std::max(longest, msSince(last));
      last = Clock::now();
    });
    heartbeat.start(10);
    QTimer::singleShot(30000, &app, &QApplication::quit);
    QApplication::exec();
    std::printf("stall_ms %.0f\n", longest);
  }
  std::fflush(stdout);
  return 0;
}

std::map<std::string, double> runChild(const std::string& self, const std::string& scenario, int addresses) {
  const std::string command = "umockdev-wrapper '" + self + "' --scenario " + scenario + " --addresses " +
                              std::to_string(addresses) + " 2>/dev/null";
  std::map<std::string, double> figures;
  FILE* child = ::popen(command.c_str(), "r");
  if (child == nullptr) return figures;
  char line[512];
  while (std::fgets(line, sizeof line, child) != nullptr) {
    char key[64];
    double value = 0;
    if (std::sscanf(line, "%63s %lf", key, &value) == 2 && std::strstr(key, "_ms") != nullptr) {
      figures[key] = value;
    }
  }
  ::pclose(child);
  return figures;
}

// "median (lowest-highest)" of the runs' values.
std::string spread(std::vector<double> values) {
  if (values.empty()) return "    -";
  std::sort(values.begin(), values.end());
  char text[64];
  std::snprintf(text, sizeof text, "%6.0f ms (%.0f-%.0f)", values[values.size() / 2], values.front(), values.back());
  return text;
}

void report(const char* title, const std::vector<std::map<std::string, double>>& runs) {
  std::vector<double> discovery, window, status;
  for (const auto& run : runs) {
    if (run.count("window_ms") == 0) continue;
    discovery.push_back(run.at("discovery_ms"));
    window.push_back(run.at("window_ms"));
    status.push_back(run.at("status_ms"));
  }
  std::printf("%s (median of %zu runs, lowest-highest)\n", title, window.size());
  std::printf("  network discovery        %s\n", spread(discovery).c_str());
  std::printf("  first frame of window    %s\n", spread(window).c_str());
  std::printf("  first status shown       %s\n", spread(status).c_str());
}

}  // namespace

int main(int argc, char** argv) {
  std::optional<std::string> scenario;
  std::vector<int> addressCounts{1, 2, 3};
  int runs = 5;
  for (int i = 1; i < argc; ++i) {
    if (std::strcmp(argv[i], "--scenario") == 0 && i + 1 < argc) {
      scenario = argv[++i];
    } else if (std::strcmp(argv[i], "--addresses") == 0 && i + 1 < argc) {
      addressCounts = {std::clamp(std::atoi(argv[++i]), 1, 3)};
    } else {
      runs = std::max(1, std::atoi(argv[i]));
    }
  }
  if (scenario) return runScenario(argc, argv, *scenario, addressCounts.front());
  if (const std::optional<std::string> reason = sim::net::TestNetwork::unavailableReason()) {
    std::fprintf(stderr, "bench-monitor needs private network namespaces: %s\n", reason->c_str());
    return 1;
  }
  char self[4096] = {};
  if (::readlink("/proc/self/exe", self, sizeof self - 1) < 0) return 1;

  for (const int addresses : addressCounts) {
    std::vector<std::map<std::string, double>> usb, dark;
    for (int i = 0; i < runs; ++i) usb.push_back(runChild(self, "usb", addresses));
    for (int i = 0; i < runs; ++i) dark.push_back(runChild(self, "dead-net", addresses));
    std::printf("Status monitor start-up, real discovery, client with %d address%s\n", addresses,
                addresses == 1 ? "" : "es");
    report("One USB printer, no network printer", usb);
    report("A network printer, switched off after discovery", dark);
  }

  const std::map<std::string, double> stall = runChild(self, "dead-net-stall", 1);
  std::printf("30 s of polling the switched-off network printer (poll every 6 s)\n");
  std::printf("  longest unresponsive     %6.0f ms\n", stall.count("stall_ms") ? stall.at("stall_ms") : -1.0);
  return 0;
}
