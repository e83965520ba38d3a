#pragma once
// What the models' tests share: the device seam filled for the simulators,
// a string table that marks every text looked up, waiting on the event
// loop.

#include <gtest/gtest.h>

#include <QCoreApplication>
#include <QString>
#include <QTranslator>
#include <QtTest/QTest>

#include <chrono>
#include <cstring>
#include <optional>
#include <ostream>
#include <string>
#include <utility>
#include <vector>

#include "monitor/monitor_devices.h"
#include "monitor/status_info.h"
#include "monitor/wifi_settings.h"

namespace monitor {
inline void PrintTo(const HotSpot& entry, std::ostream* out) {
  *out << "{" << entry.id << ", " << entry.name.toStdString() << ", " << entry.signalDB << "}";
}
}  // namespace monitor

namespace monitor_test {

using namespace std::chrono_literals;

// The real device layer, with discovery on no interface at all (nothing is
// broadcast), a short poll and a pause that only records what was asked.
struct SimDevices {
  monitor::MonitorDevices devices = monitor::realDevices();
  std::vector<std::chrono::milliseconds> waits;

  explicit SimDevices(std::chrono::milliseconds pollInterval = 200ms) {
    devices.pollInterval = pollInterval;
    devices.snmpDiscover =
        monitor::snmpDiscovery([] { return std::optional(std::vector<device::snmp::Ipv4Interface>{}); });
    devices.wait = [this](std::chrono::milliseconds pause) { waits.push_back(pause); };
  }

  // Network printers come from this discovery list: a loopback agent cannot
  // be found by a broadcast.
  void discoverList(std::string list) {
    devices.snmpDiscover = [list = std::move(list)](std::string& out) {
      out = list;
      return 0L;
    };
  }
};

inline const char* const kPrinterOnLoopback = "127.0.0.1,iso.3.6.1.4.1.48117.4.7.1.8|";

inline QString q(const char* text) { return QString::fromUtf8(text); }

// A string table that has every key of the shared context: its text is the
// key in brackets, so a test sees which texts were looked up.
class BracketTable : public QTranslator {
 public:
  bool isEmpty() const override { return false; }
  QString translate(const char* context, const char* sourceText, const char* /*disambiguation*/ = nullptr,
                    int /*n*/ = -1) const override {
    if (std::strcmp(context, "Localizable") != 0) return {};
    return "[" + QString::fromUtf8(sourceText) + "]";
  }
};

inline QString looked(const char* key) { return "[" + q(key) + "]"; }

inline monitor::HotSpot spot(int id, const QString& name, int signal) {
  monitor::HotSpot entry;
  entry.id = id;
  entry.name = name;
  entry.signalDB = signal;
  return entry;
}

inline void expectStatus(const monitor::StatusInfo& status, int level, const char* message, const char* advice,
                         int toner) {
  EXPECT_EQ(status.level, level);
  EXPECT_EQ(status.message.toStdString(), message);
  EXPECT_EQ(status.discription.toStdString(), advice);
  EXPECT_EQ(status.toner, toner);
}

// Runs the event loop until the condition holds, at most `limit`.
template <typename Condition>
bool waitFor(Condition condition, std::chrono::milliseconds limit = 5000ms) {
  return QTest::qWaitFor(condition, static_cast<int>(limit.count()));
}

}  // namespace monitor_test
