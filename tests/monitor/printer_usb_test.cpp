// The printer model against the simulated USB printer: discovery, the
// status request and its reply, unplugging and plugging in again.
#include <gtest/gtest.h>

#include <QSignalSpy>
#include <QTimer>

#include <algorithm>
#include <memory>
#include <string>
#include <vector>

#include "device/usb/sim_fixture.h"
#include "device/usb/stdout_capture.h"
#include "monitor/printer_model.h"
#include "monitor_fixture.h"

namespace {

using monitor::PrinterModel;
using namespace monitor_test;
using sim::usb::Answer;
using sim::usb::Bytes;

bool contains(const std::vector<std::string>& lines, const std::string& line) {
  return std::find(lines.begin(), lines.end(), line) != lines.end();
}

class UsbPoll : public SimTest {
 protected:
  std::unique_ptr<PrinterModel> makeModel() { return std::make_unique<PrinterModel>(sim.devices); }

  SimDevices sim;
};

TEST_F(UsbPoll, DiscoveryListsOnlyTheSupportedPrinterAndLogsEveryDevice) {
  addPrinter(withIds(0x5A3E, 53));
  addPrinter(withIds(0x1D6B, 52));
  addPrinter();
  StdoutCapture capture;
  const auto model = makeModel();

  ASSERT_EQ(model->printerList().size(), 1);
  const monitor::Printer& found = model->printerList().front();
  EXPECT_EQ(found.name, "KTR6620LXV");
  EXPECT_EQ(found.label, "KTR6620LXV(USB)");
  EXPECT_EQ(found.type, "USB");
  EXPECT_EQ(found.ip, "");
  EXPECT_EQ(found.PID, 52);
  EXPECT_EQ(found.VID, 23102);
  EXPECT_EQ(model->selectedPrinter(), found);
  const auto lines = capture.lines();
  EXPECT_TRUE(contains(lines, " find device pid = 53 and vid = 23102"));
  EXPECT_TRUE(contains(lines, " find device pid = 52 and vid = 7531"));
  EXPECT_TRUE(contains(lines, " find device pid = 52 and vid = 23102"));
  EXPECT_TRUE(contains(lines, " find device KTR6620LXV pid = 52 and vid = 23102"));
  EXPECT_EQ(std::count_if(lines.begin(), lines.end(),
                          [](const std::string& line) { return line.starts_with(" find device KTR"); }),
            1);
}

TEST_F(UsbPoll, PrinterOnUsbComesBeforeThePrinterOnTheNetwork) {
  addPrinter();
  sim.discoverList("127.0.0.1,iso.3.6.1.4.1.8072.3.2.10|127.0.0.1|127.0.0.1,iso.3.6.1.4.1.48117.4.7.1.8|");
  const auto model = makeModel();
  ASSERT_EQ(model->printerList().size(), 2);
  EXPECT_EQ(model->printerList()[0].label, "KTR6620LXV(USB)");
  const monitor::Printer& network = model->printerList()[1];
  EXPECT_EQ(network.label, "KTR6620LXV(127.0.0.1)");
  EXPECT_EQ(network.type, "Net");
  EXPECT_EQ(network.ip, "127.0.0.1");
  EXPECT_EQ(network.PID, 52);
  EXPECT_EQ(network.VID, 23102);
  EXPECT_EQ(model->selectedPrinter(), model->printerList()[0]);
}

TEST_F(UsbPoll, NothingFoundGivesTheNoPrinterStatusAndNoTimer) {
  const auto model = makeModel();
  EXPECT_TRUE(model->printerList().isEmpty());
  expectStatus(model->statusInfo(), 3, "没有连接的设备", "请刷新打印机列表或检查设备连接状态", 0);
  EXPECT_TRUE(model->selectedPrinter().type.isEmpty());
  EXPECT_EQ(model->selectedPrinter().VID, 27417);
  EXPECT_EQ(model->timerMode(), monitor::TimerMode::stopped);
  EXPECT_FALSE(model->findChild<QTimer*>()->isActive());

  // Polling the placeholder reads and schedules nothing, but counts as running.
  model->updateStatus(model->selectedPrinter());
  EXPECT_EQ(model->timerMode(), monitor::TimerMode::running);
  EXPECT_FALSE(model->findChild<QTimer*>()->isActive());
}

// The read is queued: the constructor returns before the device is asked.
TEST_F(UsbPoll, TheFirstReadIsQueuedAndSendsTheVendorStatusRequest) {
  auto& printer = addPrinter();
  printer.replyToControl(0xC0, 4, Answer::bytes({0xD9, 0x07, 0x55}));
  std::vector<device::usb::IOUSBDevRequestTO> sent;
  const auto real = sim.devices.sendUsbControlRequest;
  sim.devices.sendUsbControlRequest = [&](device::usb::VendorId vendor, device::usb::ProductId product,
                                          const device::usb::IOUSBDevRequestTO& request) {
    sent.push_back(request);
    EXPECT_TRUE(std::all_of(request.pData.begin(), request.pData.end(), [](auto byte) { return byte == 0; }));
    real(vendor, product, request);
  };
  const auto model = makeModel();
  expectStatus(model->statusInfo(), 1, "正在连接", "", 0);
  EXPECT_TRUE(printer.controlRequests().empty());

  ASSERT_TRUE(waitFor([&] { return model->statusInfo().toner == 85; }));
  const auto requests = printer.controlRequests();
  ASSERT_EQ(requests.size(), 1u);
  EXPECT_EQ(requests[0].requestType, 0xC0);
  EXPECT_EQ(requests[0].request, 4);
  EXPECT_EQ(requests[0].value, 0);
  EXPECT_EQ(requests[0].index, 0);
  EXPECT_EQ(requests[0].length, 512);
  ASSERT_EQ(sent.size(), 1u);
  EXPECT_EQ(sent[0].pData.size(), 512u);
  EXPECT_EQ(sent[0].noDataTimeout, 2000u);
  EXPECT_EQ(sent[0].completionTimeout, 3000u);
  // A control request opens nothing.
  EXPECT_FALSE(printer.claimed(0));
}

struct Reply {
  const char* name;
  Bytes bytes;
  int level;
  const char* message;
  const char* advice;
  int toner;
};

class UsbReply : public UsbPoll, public ::testing::WithParamInterface<Reply> {};

TEST_P(UsbReply, BecomesThePublishedStatus) {
  addPrinter().replyToControl(0xC0, 4, Answer::bytes(GetParam().bytes));
  const auto model = makeModel();
  QSignalSpy published(model.get(), &PrinterModel::statusInfoChanged);
  ASSERT_TRUE(waitFor([&] { return published.count() > 0; }));
  expectStatus(model->statusInfo(), GetParam().level, GetParam().message, GetParam().advice, GetParam().toner);
  // The model's own sleep rule concerns other models: polling goes on.
  EXPECT_TRUE(model->isWakeUp());
}

INSTANTIATE_TEST_SUITE_P(
    Printer, UsbReply,
    ::testing::Values(
        Reply{"Sleep", {0xD9, 0x07, 0x55}, 1, "休眠", "", 85},
        Reply{"JamAtPickUp", {0xC9, 0x0B, 0x00}, 3, "取纸卡纸", "请打开前盖，取出卡纸", 0},
        Reply{"TonerLow", {0xD6, 0x0B, 0x0A, 0x33, 0x44}, 2, "墨粉已不多", "请关注粉盒状态", 10},
        Reply{"UnknownCode", {0x9F, 0x0F, 0x64}, 3, "错误码3999", "请重启设备，如果错误还存在，请联系厂家", 100},
        Reply{"TwoBytes", {0x01, 0x00}, 1, "就绪", "", 0},
        Reply{"OneByte", {0xD9}, 3, "错误码217", "请重启设备，如果错误还存在，请联系厂家", 0},
        Reply{"NoBytes", {}, 3, "错误码0", "请重启设备，如果错误还存在，请联系厂家", 0}),
    [](const auto& tested) { return std::string(tested.param.name); });

TEST_F(UsbPoll, StalledRequestIsADisconnectedPrinter) {
  addPrinter().replyToControl(0xC0, 4, Answer::stall());
  StdoutCapture capture;
  const auto model = makeModel();
  ASSERT_TRUE(waitFor([&] { return model->statusInfo().level == 3; }));
  expectStatus(model->statusInfo(), 3, "连接断开", "请检查设备的连接情况", 0);
  EXPECT_TRUE(contains(capture.lines(), "Received: error"));
}

TEST_F(UsbPoll, UnpluggedPrinterIsDisconnectedWithItsLastTonerUntilItIsBack) {
  auto* printer = &addPrinter();
  printer->replyToControl(0xC0, 4, Answer::bytes({0xD9, 0x07, 0x55}));
  const auto model = makeModel();
  ASSERT_TRUE(waitFor([&] { return model->statusInfo().toner == 85; }));

  printer->unplug();
  ASSERT_TRUE(waitFor([&] { return model->statusInfo().level == 3; }));
  expectStatus(model->statusInfo(), 3, "连接断开", "请检查设备的连接情况", 85);

  printer = &addPrinter();
  printer->replyToControl(0xC0, 4, Answer::bytes({0xC9, 0x0B, 0x00}));
  ASSERT_TRUE(waitFor([&] { return model->statusInfo().message == "取纸卡纸"; }));
  expectStatus(model->statusInfo(), 3, "取纸卡纸", "请打开前盖，取出卡纸", 0);
  EXPECT_EQ(model->timerMode(), monitor::TimerMode::running);
}

}  // namespace
