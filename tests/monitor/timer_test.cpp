// The poll timer: one reader at a time, the path chosen when the poll
// starts, and USB reads that were queued for a printer no longer selected.
// A printer on the simulated USB bus and one snmpd on loopback.
#include <gtest/gtest.h>

#include <QElapsedTimer>
#include <QMetaObject>
#include <QTimer>

#include <memory>
#include <string>
#include <vector>

#include "device/usb/sim_fixture.h"
#include "monitor/printer_model.h"
#include "monitor_fixture.h"
#include "snmp_fixture.h"

namespace {

using monitor::Printer;
using monitor::PrinterModel;
using monitor::StatusInfo;
using namespace monitor_test;
using sim::usb::Answer;

constexpr auto kInterval = std::chrono::milliseconds(100);

int activeTimers(const PrinterModel& model) {
  int active = 0;
  for (const QTimer* timer : model.findChildren<QTimer*>()) {
    active += timer->isActive() ? 1 : 0;
  }
  return active;
}

class PollTimer : public ::testing::Test {
 protected:
  // The agent is started before any USB test bed exists, so it runs
  // without the bed's redirections.
  static void SetUpTestSuite() {
    skipReason_ = LoopbackAgent::unavailableReason();
    if (!skipReason_.empty()) return;
    agent_ = std::make_unique<LoopbackAgent>();
    try {
      agent_->start(printerObjects("3030,toner low", "20"));
    } catch (const std::exception& failure) {
      skipReason_ = failure.what();
    }
  }
  static void TearDownTestSuite() { agent_.reset(); }

  void SetUp() override {
    if (!skipReason_.empty()) GTEST_SKIP() << skipReason_;
    bed_ = std::make_unique<sim::usb::Testbed>();
    if (!bed_->active()) GTEST_SKIP() << "needs umockdev: run under umockdev-wrapper";
    printer = &bed_->addDevice(sim::usb::ktr6620lxv());
    printer->replyToControl(0xC0, 4, Answer::bytes({0xD9, 0x07, 0x55}));
    sim.discoverList(kPrinterOnLoopback);
    const auto get = monitor::snmpStatusGet(agent_->port());
    sim.devices.snmpGet = [this, get](std::string_view ip, std::string_view oid, std::size_t size) {
      ++snmpReads;
      return get(ip, oid, size);
    };
  }

  std::unique_ptr<PrinterModel> makeModel() { return std::make_unique<PrinterModel>(sim.devices); }

  // What the window does when the user picks a printer.
  static void choose(PrinterModel& model, const Printer& printer) {
    model.setStatusInfo(StatusInfo(1, "connecting", "", 0));
    model.setSelectedPrinter(printer);
    model.setIsWakeUp(true);
    model.updateStatus(printer);
  }

  std::size_t usbReads() const { return printer->controlRequests().size(); }

  static inline std::unique_ptr<LoopbackAgent> agent_;
  static inline std::string skipReason_;
  std::unique_ptr<sim::usb::Testbed> bed_;
  sim::usb::Device* printer = nullptr;
  SimDevices sim{kInterval};
  int snmpReads = 0;
};

// After a refresh that found the printer anew, one timer reads: never more
// reads than one per interval (a second timer would double them).
TEST_F(PollTimer, RefreshLeavesOneTimerReading) {
  const auto model = makeModel();
  QTest::qWait(3 * static_cast<int>(kInterval.count()));
  model->stopUpdateStatus();
  model->getPrinterList();
  EXPECT_EQ(activeTimers(*model), 1);

  QTest::qWait(20);  // the refresh's own queued read
  const std::size_t before = usbReads();
  QElapsedTimer clock;
  clock.start();
  QTest::qWait(10 * static_cast<int>(kInterval.count()));
  const auto reads = static_cast<long long>(usbReads() - before);
  const long long intervals = clock.elapsed() / kInterval.count();
  EXPECT_GE(reads, 3);
  EXPECT_LE(reads, intervals + 2);
  EXPECT_EQ(activeTimers(*model), 1);
  EXPECT_EQ(snmpReads, 0);
}

TEST_F(PollTimer, StoppedPollReadsNothingMore) {
  const auto model = makeModel();
  ASSERT_TRUE(waitFor([&] { return usbReads() >= 2; }));
  model->stopUpdateStatus();
  EXPECT_EQ(model->timerMode(), monitor::TimerMode::running);
  QTest::qWait(20);
  const std::size_t stopped = usbReads();
  QTest::qWait(4 * static_cast<int>(kInterval.count()));
  EXPECT_EQ(usbReads(), stopped);
  EXPECT_EQ(activeTimers(*model), 0);
}

// Choosing the network printer reads it before the call returns and moves
// the poll to SNMP: the USB printer is not asked again.
TEST_F(PollTimer, ChoosingAnotherPrinterMovesThePollToIt) {
  const auto model = makeModel();
  ASSERT_TRUE(waitFor([&] { return model->statusInfo().toner == 85; }));
  ASSERT_EQ(model->printerList().size(), 2);

  choose(*model, model->printerList()[1]);
  EXPECT_EQ(model->statusInfo().message.toStdString(), "墨粉已不多");
  EXPECT_EQ(model->statusInfo().toner, 20);
  EXPECT_EQ(snmpReads, 2);

  const std::size_t usbBefore = usbReads();
  ASSERT_TRUE(waitFor([&] { return snmpReads >= 6; }));
  EXPECT_EQ(usbReads(), usbBefore);
  EXPECT_EQ(activeTimers(*model), 1);
}

// The user picks the network printer while the USB read is still queued:
// the read is dropped, it neither asks the device nor shows its result
// under the network printer.
TEST_F(PollTimer, QueuedUsbReadOvertakenByAChangeOfPrinterDoesNotPublish) {
  const auto model = makeModel();  // its first read is queued, not yet run
  ASSERT_EQ(model->printerList().size(), 2);
  choose(*model, model->printerList()[1]);
  ASSERT_EQ(model->statusInfo().toner, 20);

  QTest::qWait(50);
  EXPECT_EQ(usbReads(), 0u);
  EXPECT_EQ(model->statusInfo().message.toStdString(), "墨粉已不多");
  EXPECT_EQ(model->statusInfo().toner, 20);
}

// The same for a read that failed (the printer was unplugged): its
// "disconnected" status is queued, and the user's choice of the network
// printer, made while the read was blocking, comes first.
TEST_F(PollTimer, FailedUsbReadOvertakenByAChangeOfPrinterDoesNotPublish) {
  PrinterModel* model = nullptr;
  const auto real = sim.devices.sendUsbControlRequest;
  sim.devices.sendUsbControlRequest = [&](device::usb::VendorId vendor, device::usb::ProductId product,
                                          const device::usb::IOUSBDevRequestTO& request) {
    printer->unplug();
    QMetaObject::invokeMethod(model, [&] { choose(*model, model->printerList()[1]); }, Qt::QueuedConnection);
    real(vendor, product, request);
  };
  const auto owned = makeModel();
  model = owned.get();
  ASSERT_TRUE(waitFor([&] { return model->selectedPrinter().type == "Net"; }));
  QTest::qWait(50);
  EXPECT_EQ(model->statusInfo().level, 2);
  EXPECT_EQ(model->statusInfo().message.toStdString(), "墨粉已不多");
}

// Of another model that stops being polled while it sleeps: the status is
// still shown, and the next start of the poll only stops the timer.
TEST_F(PollTimer, SleepingPrinterOfAnXrvModelIsNotPolledOnceRestarted) {
  const auto model = makeModel();
  const Printer& found = model->printerList()[0];
  const Printer xrv("XRV5000", "XRV5000(USB)", "USB", "", found.PID, found.VID);
  choose(*model, xrv);
  ASSERT_TRUE(waitFor([&] { return model->statusInfo().message == "错误码2009"; }));
  EXPECT_FALSE(model->isWakeUp());
  EXPECT_EQ(activeTimers(*model), 1);

  model->updateStatus(xrv);
  EXPECT_EQ(activeTimers(*model), 0);
}

}  // namespace
