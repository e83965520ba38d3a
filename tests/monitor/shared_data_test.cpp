// The process-wide models as the program gets them, with the real device
// layer: the simulated printer on USB, and a network namespace of its own
// with no interface up, so discovery broadcasts nowhere.
#include <gtest/gtest.h>

#include <QTimer>

#include <algorithm>
#include <string>
#include <vector>

#include "device/usb/sim_fixture.h"
#include "device/usb/stdout_capture.h"
#include "monitor/network_model.h"
#include "monitor/printer_model.h"
#include "monitor/shared_data.h"
#include "monitor_fixture.h"

namespace {

using monitor::SharedData::networkModel;
using monitor::SharedData::printerModel;
using sim::usb::Answer;

using SharedModels = SimTest;

TEST_F(SharedModels, AreMadeOnceAndPollTheFoundPrinterEverySixSeconds) {
  auto& printer = addPrinter();
  printer.replyToControl(0xC0, 4, Answer::bytes({0xD9, 0x07, 0x55}));
  printer.replyToCommand("CheckwifiAP?", Answer::text("8014,x;KTR-AP\r\n6\r\nsecret\r\n1.2.3.4\r\n1\r\n2"));

  StdoutCapture capture;
  monitor::PrinterModel& model = printerModel();
  EXPECT_EQ(&printerModel(), &model);
  const auto lines = capture.lines();
  EXPECT_EQ(std::count(lines.begin(), lines.end(), " find device pid = 52 and vid = 23102"), 1);

  ASSERT_EQ(model.printerList().size(), 1);
  EXPECT_EQ(model.selectedPrinter().label, "KTR6620LXV(USB)");
  const QList<QTimer*> timers = model.findChildren<QTimer*>();
  ASSERT_EQ(timers.size(), 1);
  EXPECT_TRUE(timers.front()->isActive());
  EXPECT_FALSE(timers.front()->isSingleShot());
  EXPECT_EQ(timers.front()->intervalAsDuration(), std::chrono::milliseconds(6000));

  ASSERT_TRUE(monitor_test::waitFor([&] { return model.statusInfo().toner == 85; }));
  EXPECT_EQ(model.statusInfo().message, "休眠");

  // The network model sends nothing until asked, and then to the printer
  // the printer model has selected.
  monitor::NetworkModel& network = networkModel();
  EXPECT_EQ(&networkModel(), &network);
  EXPECT_TRUE(printer.received(kBulkOut).empty());
  EXPECT_FALSE(network.getAPInfo().showAlert);
  EXPECT_EQ(network.apSetting().APName, "KTR-AP");
}

}  // namespace
