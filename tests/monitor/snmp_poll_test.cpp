// Polling a network printer: the printer model against a real snmpd on
// loopback, with the status GETs' real time-out and retries.
#include <gtest/gtest.h>

#include <QElapsedTimer>
#include <QSignalSpy>

#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "monitor/printer_model.h"
#include "monitor_fixture.h"
#include "snmp_fixture.h"

namespace {

using monitor::PrinterModel;
using namespace monitor_test;

const char* const kNetworkAdvice = "连接断开，请查看设备的网络连接情况";

class SnmpPoll : public ::testing::Test {
 protected:
  void SetUp() override {
    if (const std::string reason = LoopbackAgent::unavailableReason(); !reason.empty()) {
      GTEST_SKIP() << reason;
    }
    agent.start(printerObjects("1,ready", "85"));
    sim.discoverList(kPrinterOnLoopback);
    const auto get = monitor::snmpStatusGet(agent.port());
    sim.devices.snmpGet = [this, get](std::string_view ip, std::string_view oid, std::size_t size) {
      asked.emplace_back(oid);
      return get(ip, oid, size);
    };
  }

  std::unique_ptr<PrinterModel> makeModel() { return std::make_unique<PrinterModel>(sim.devices); }

  LoopbackAgent agent;
  SimDevices sim{std::chrono::milliseconds(300)};
  std::vector<std::string> asked;  // the objects asked for, in order
};

TEST_F(SnmpPoll, FirstPrinterIsReadBeforeTheConstructorReturns) {
  const auto model = makeModel();
  ASSERT_EQ(model->printerList().size(), 1);
  EXPECT_EQ(model->selectedPrinter().label, "KTR6620LXV(127.0.0.1)");
  EXPECT_EQ(model->selectedPrinter().type, "Net");
  expectStatus(model->statusInfo(), 1, "就绪", "", 85);
  EXPECT_EQ(asked, (std::vector<std::string>{"1.3.6.1.4.1.48117.2.7.1.1", "1.3.6.1.4.1.48117.2.7.4.1"}));
  EXPECT_EQ(model->timerMode(), monitor::TimerMode::running);
}

struct Values {
  const char* name;
  std::vector<sim::snmp::PassObject> objects;
  int level;
  const char* message;
  const char* advice;
  int toner;
};

class SnmpValues : public SnmpPoll, public ::testing::WithParamInterface<Values> {};

TEST_P(SnmpValues, BecomeThePublishedStatus) {
  const auto model = makeModel();
  agent.serve(GetParam().objects);
  QSignalSpy published(model.get(), &PrinterModel::statusInfoChanged);
  model->getSNMPStatus();
  EXPECT_GE(published.count(), 1);
  expectStatus(model->statusInfo(), GetParam().level, GetParam().message, GetParam().advice, GetParam().toner);
}

INSTANTIATE_TEST_SUITE_P(
    Agent, SnmpValues,
    ::testing::Values(
        Values{"Sleep", printerObjects("2009,sleep", "85"), 1, "休眠", "", 85},
        Values{"TonerLow", printerObjects("3030,toner low", "12"), 2, "墨粉已不多", "请关注粉盒状态", 12},
        Values{"CodeNotInTable", printerObjects("3999,x", "50"), 3, "错误码3999",
               "请重启设备，如果错误还存在，请联系厂家", 50},
        Values{"TonerNotANumber", printerObjects("1,ready", "85%", "string", "string"), 1, "就绪", "", 0},
        Values{"TonerNotServed", {{kStatusObject, "string", "1,ready"}}, 1, "就绪", "", 0}),
    [](const auto& tested) { return std::string(tested.param.name); });

struct BadStatus {
  const char* name;
  std::vector<sim::snmp::PassObject> objects;
};

class SnmpBadStatus : public SnmpPoll, public ::testing::WithParamInterface<BadStatus> {};

// A value that carries no code in the quoted form is a failed read: the
// network advice, the toner as it was, and no toner query.
TEST_P(SnmpBadStatus, IsAFailedReadWithoutTonerQuery) {
  const auto model = makeModel();
  agent.serve(GetParam().objects);
  asked.clear();
  model->getSNMPStatus();
  expectStatus(model->statusInfo(), 3, "连接断开", kNetworkAdvice, 85);
  EXPECT_EQ(asked, std::vector<std::string>{"1.3.6.1.4.1.48117.2.7.1.1"});
}

INSTANTIATE_TEST_SUITE_P(
    Agent, SnmpBadStatus,
    ::testing::Values(BadStatus{"Integer", printerObjects("3017", "40", "integer")},
                      BadStatus{"HexString", printerObjects("07 D9 00", "40", "octet")},
                      BadStatus{"NoComma", printerObjects("2009", "40")},
                      BadStatus{"Empty", printerObjects("", "40")},
                      BadStatus{"Beyond32Bits", printerObjects("4294970313,x", "40")},
                      BadStatus{"NotANumber", printerObjects("sleep,2009", "40")},
                      BadStatus{"TwoSigns", printerObjects("--0,x", "40")},
                      BadStatus{"NotServed", {{kTonerObject, "integer", "40"}}}),
    [](const auto& tested) { return std::string(tested.param.name); });

// A switched-off printer: the read gives up within the status GET's time-out
// and one retry, and the poll goes on; once the printer answers again the
// next poll shows it.
TEST_F(SnmpPoll, StoppedAgentFailsWithinAboutTwoSecondsAndThePollGoesOn) {
  const auto model = makeModel();
  agent.stop();
  QElapsedTimer clock;
  clock.start();
  model->getSNMPStatus();
  EXPECT_LT(clock.elapsed(), 3000);
  expectStatus(model->statusInfo(), 3, "连接断开", kNetworkAdvice, 85);

  agent.start(printerObjects("2017,paper low", "30"));
  EXPECT_TRUE(waitFor([&] { return model->statusInfo().level == 2; }, std::chrono::milliseconds(8000)));
  expectStatus(model->statusInfo(), 2, "纸量较少", "请添加纸张", 30);
}

}  // namespace
