// The network model's Wi-Fi commands against the simulated printer on USB:
// what the printer receives, byte for byte, and what each reply leads to.
#include <gtest/gtest.h>

#include <QCoreApplication>

#include <algorithm>
#include <functional>
#include <memory>
#include <ostream>
#include <string>
#include <vector>

#include "device/usb/sim_fixture.h"
#include "device/usb/stdout_capture.h"
#include "monitor/network_model.h"
#include "monitor/printer_model.h"
#include "monitor_fixture.h"

namespace monitor {
void PrintTo(const WifiResult& result, std::ostream* out) {
  *out << "{" << result.showAlert << ", " << result.title.toStdString() << ", " << result.message.toStdString()
       << "}";
}
}  // namespace monitor

namespace {

using monitor::HotSpot;
using monitor::NetworkModel;
using monitor::PrinterModel;
using monitor::WifiResult;
using namespace monitor_test;
using sim::usb::Answer;
using sim::usb::Bytes;

using namespace std::chrono_literals;

// A reply the printer pads with NUL bytes to the 16 bytes it sends at least.
Answer padded(const std::string& text, std::size_t size = 16) {
  Bytes bytes(text.begin(), text.end());
  bytes.resize(std::max(size, bytes.size() + 1), 0);
  return Answer::bytes(bytes);
}

const std::string kAccessPointReply = "8014,x;KTR-AP\r\n6\r\nsecret\r\n192.168.1.1\r\n255.255.255.0\r\n192.168.1.254";
const std::string kClientModeReply = "8013,x;HomeNet\r\nsecret\r\nS\r\n192.168.1.50\r\n255.255.255.0\r\n192.168.1.1";
const std::string kHotSpotReply = "8012;Home-5\r\nmy?net-7";
const std::string kSetAccessPoint =
    "SetwifiAP=my\x02net\x01\r\n6\r\npa\x01ss\r\nS\r\n192.168.1.1\r\n255.255.255.0\r\n192.168.1.254;";
const std::string kSetClientMode = "SetwifiSTA=my\x01net\r\npw\x02" "1\r\nD\r\n0.0.0.0\r\n0.0.0.0\r\n0.0.0.0;";

struct Alert {
  bool show = false;
  QString title;
  QString info;
};

class Wifi : public SimTest {
 protected:
  void SetUp() override {
    SimTest::SetUp();
    if (IsSkipped()) return;
    printer = &addPrinter();
    QCoreApplication::installTranslator(&table);
  }
  void TearDown() override {
    // A failed exchange's line waits on the main queue: not for the next test.
    QCoreApplication::processEvents();
    QCoreApplication::removeTranslator(&table);
  }

  void makeModels() {
    printers = std::make_unique<PrinterModel>(sim.devices);
    network = std::make_unique<NetworkModel>(*printers, sim.devices);
  }

  std::vector<std::string> sent() const {
    std::vector<std::string> commands;
    for (const Bytes& bytes : printer->received(kBulkOut)) commands.emplace_back(bytes.begin(), bytes.end());
    return commands;
  }

  void expectAlert(const Alert& expected) const {
    EXPECT_EQ(network->showAlter(), expected.show);
    EXPECT_EQ(network->alterTitle().toStdString(), expected.title.toStdString());
    EXPECT_EQ(network->alterInfo().toStdString(), expected.info.toStdString());
  }

  // The access point and client mode as the forms leave them before OK.
  void fillAccessPoint() {
    monitor::APSetting setting;
    setting.APName = "my;net?";
    setting.encryptMode = 6;
    setting.APPassword = "pa?ss";
    setting.ip = "192.168.1.1";
    setting.mask = "255.255.255.0";
    setting.gateway = "192.168.1.254";
    network->setApSetting(setting);
  }
  void fillClientMode() {
    network->getHotSpotList();
    monitor::ClietModeSetting setting = network->clietModeSetting();
    setting.orderInList = 1;
    setting.WifiPassword = "pw;1";
    setting.ipSetType = "D";
    setting.ip = setting.mask = setting.gateway = "0.0.0.0";
    network->setClietModeSetting(setting);
  }

  BracketTable table;
  sim::usb::Device* printer = nullptr;
  SimDevices sim;
  std::unique_ptr<PrinterModel> printers;
  std::unique_ptr<NetworkModel> network;
};

enum class Op { getAP, setAP, getSTA, setSTA };

struct ReplyCase {
  const char* name;
  Op op;
  Answer reply;
  WifiResult result;
  Alert alert;  // the model's alert fields afterwards
};

void PrintTo(const ReplyCase& tested, std::ostream* out) { *out << tested.name; }

class WifiReply : public Wifi, public ::testing::WithParamInterface<ReplyCase> {};

TEST_P(WifiReply, GivesItsResultAndAlert) {
  const ReplyCase& c = GetParam();
  makeModels();
  std::vector<std::string> expectedSent;
  WifiResult result;
  switch (c.op) {
    case Op::getAP:
      printer->queueIn(kBulkIn, c.reply);
      result = network->getAPInfo();
      expectedSent = {"CheckwifiAP?"};
      break;
    case Op::setAP:
      fillAccessPoint();
      printer->queueIn(kBulkIn, c.reply);
      result = network->setAPInfo();
      expectedSent = {kSetAccessPoint};
      break;
    case Op::getSTA:
      printer->queueIn(kBulkIn, c.reply);
      result = network->getClientModeInfo();
      expectedSent = {"CheckwifiSTA?"};
      break;
    case Op::setSTA:
      printer->queueIn(kBulkIn, Answer::text(kHotSpotReply));
      fillClientMode();
      printer->queueIn(kBulkIn, c.reply);
      result = network->setClientModeInfo();
      expectedSent = {"Checkwifiserver?", kSetClientMode};
      break;
  }
  EXPECT_EQ(result, c.result);
  expectAlert(c.alert);
  EXPECT_EQ(sent(), expectedSent);
}

const QString kError = q("错误");
const Alert kNoAlert{};

INSTANTIATE_TEST_SUITE_P(
    Codes, WifiReply,
    ::testing::Values(
        ReplyCase{"AccessPointBusy", Op::getAP, Answer::text("1001,busy printing"), {true, kError, q("设备忙,打印中")},
                  {true, "Error", q("设备忙,打印中")}},
        ReplyCase{"AccessPointBusyPadded", Op::getAP, padded("1001"), {true, kError, q("设备忙,打印中")},
                  {true, "Error", q("设备忙,打印中")}},
        ReplyCase{"AccessPointModeNotSupported", Op::getAP, Answer::text("8001,ap mode off"),
                  {true, kError, q("当前wifi模式不支持")}, {true, "Error", q("当前wifi模式不支持")}},
        ReplyCase{"AccessPointTooShort", Op::getAP,
                  Answer::text("8014,x;KTR-AP\r\n6\r\nsecret\r\n192.168.1.1\r\n255.255.255.0"),
                  {true, kError, q("数据解析错误")}, kNoAlert},
        ReplyCase{"AccessPointNoSemicolon", Op::getAP, Answer::text("8014,KTR-AP\r\n6\r\ns\r\n1\r\n2\r\n3"),
                  {true, kError, q("数据解析错误")}, kNoAlert},
        ReplyCase{"AccessPointNoReply", Op::getAP, Answer::stall(), {true, kError, q("数据解析错误")}, kNoAlert},
        ReplyCase{"SetAccessPointTaken", Op::setAP, padded("8004,ok"), {true, q("设置成功"), q("已成功设置热点信息")},
                  {true, q("设置成功"), q("已成功设置热点信息")}},
        ReplyCase{"SetAccessPointBusy", Op::setAP, padded("1001"), {true, kError, q("打印中，无法设置")},
                  {true, kError, q("打印中，无法设置")}},
        ReplyCase{"SetAccessPointWrongParameters", Op::setAP, Answer::text("8005,bad parameters"),
                  {true, kError, q("设置的参数有误")}, {true, kError, q("设置的参数有误")}},
        ReplyCase{"SetAccessPointModeNotSupported", Op::setAP, Answer::text("8001,ap mode off"),
                  {true, kError, q("wifi模式不支持")}, {true, kError, q("wifi模式不支持")}},
        ReplyCase{"SetAccessPointUnknownCode", Op::setAP, Answer::text("9999,what is this"),
                  {true, kError, q("AP设置返回数据解析错误")}, kNoAlert},
        ReplyCase{"SetAccessPointNoReply", Op::setAP, Answer::stall(), {true, kError, q("AP设置返回数据解析错误")},
                  kNoAlert},
        ReplyCase{"ClientModeBusy", Op::getSTA, Answer::text("1001,busy printing"),
                  {true, looked("错误"), looked("设备忙,打印中")}, {true, looked("错误"), looked("设备忙,打印中")}},
        // Without a comma the reply is not looked at further, nor its texts up.
        ReplyCase{"ClientModeBusyWithoutComma", Op::getSTA, padded("1001"), {true, kError, q("获取客户端模式数据出错")},
                  kNoAlert},
        ReplyCase{"ClientModeNotSupported", Op::getSTA, Answer::text("8001,sta mode off"),
                  {true, looked("错误"), looked("当前wifi模式不支持")},
                  {true, looked("错误"), looked("当前wifi模式不支持")}},
        ReplyCase{"ClientModeTooShort", Op::getSTA,
                  Answer::text("8013,x;HomeNet\r\nsecret\r\nS\r\n192.168.1.50\r\n255.255.255.0"),
                  {true, looked("错误"), looked("获取客户端模式数据出错")}, kNoAlert},
        ReplyCase{"ClientModeNoReply", Op::getSTA, Answer::stall(),
                  {true, looked("错误"), looked("获取客户端模式数据出错")}, kNoAlert},
        ReplyCase{"SetClientModeTaken", Op::setSTA, padded("8002,ok"),
                  {true, looked("设置成功"), looked("已成功设置热点信息")},
                  {true, looked("设置成功"), looked("已成功设置热点信息")}},
        ReplyCase{"SetClientModeBusy", Op::setSTA, padded("1001"), {true, looked("错误"), looked("打印中，无法设置")},
                  {true, looked("错误"), looked("打印中，无法设置")}},
        ReplyCase{"SetClientModeWrongParameters", Op::setSTA, Answer::text("8003,wrong values"),
                  {true, looked("错误"), looked("设置的参数有误")}, {true, looked("错误"), looked("设置的参数有误")}},
        ReplyCase{"SetClientModeNotSupported", Op::setSTA, Answer::text("8001,sta mode off"),
                  {true, looked("错误"), looked("wifi模式不支持")}, {true, looked("错误"), looked("wifi模式不支持")}},
        ReplyCase{"SetClientModeUnknownCode", Op::setSTA, padded("7777,???"),
                  {true, looked("错误"), looked("数据解析出错，请重试")}, kNoAlert},
        ReplyCase{"SetClientModeNoReply", Op::setSTA, Answer::stall(),
                  {true, looked("错误"), looked("数据解析出错，请重试")}, kNoAlert}),
    [](const auto& tested) { return std::string(tested.param.name); });

struct SettingsReply {
  const char* name;
  Answer reply;
};

void PrintTo(const SettingsReply& tested, std::ostream* out) { *out << tested.name; }

class AccessPointSettings : public Wifi, public ::testing::WithParamInterface<SettingsReply> {};

TEST_P(AccessPointSettings, FillTheRecord) {
  makeModels();
  printer->queueIn(kBulkIn, GetParam().reply);
  EXPECT_EQ(network->getAPInfo(), WifiResult{});
  const monitor::APSetting& ap = network->apSetting();
  EXPECT_EQ(ap.APName, "KTR-AP");
  EXPECT_EQ(ap.encryptMode, 1);
  EXPECT_EQ(ap.APPassword, "secret");
  EXPECT_EQ(ap.ip, "192.168.1.1");
  EXPECT_EQ(ap.mask, "255.255.255.0");
  EXPECT_EQ(ap.gateway, "192.168.1.254");
  expectAlert(kNoAlert);
}

INSTANTIATE_TEST_SUITE_P(Replies, AccessPointSettings,
                         ::testing::Values(SettingsReply{"Plain", Answer::text(kAccessPointReply)},
                                           SettingsReply{"Padded", padded(kAccessPointReply, 120)}),
                         [](const auto& tested) { return std::string(tested.param.name); });

TEST_F(Wifi, AccessPointEncryptionOtherThanSixIsZero) {
  makeModels();
  printer->queueIn(kBulkIn, Answer::text("8014,x;KTR-AP\r\n06\r\nsecret\r\n1\r\n2\r\n3"));
  EXPECT_EQ(network->getAPInfo(), WifiResult{});
  EXPECT_EQ(network->apSetting().encryptMode, 0);
}

class ClientModeSettings : public Wifi, public ::testing::WithParamInterface<SettingsReply> {};

TEST_P(ClientModeSettings, FillTheRecordButTheChosenPosition) {
  makeModels();
  printer->queueIn(kBulkIn, GetParam().reply);
  EXPECT_EQ(network->getClientModeInfo(), WifiResult{});
  const monitor::ClietModeSetting& client = network->clietModeSetting();
  EXPECT_EQ(client.WifiName, "HomeNet");
  EXPECT_EQ(client.WifiPassword, "secret");
  EXPECT_EQ(client.ipSetType, "S");
  EXPECT_EQ(client.ip, "192.168.1.50");
  EXPECT_EQ(client.mask, "255.255.255.0");
  EXPECT_EQ(client.gateway, "192.168.1.1");
  EXPECT_EQ(client.orderInList, 0);
}

INSTANTIATE_TEST_SUITE_P(Replies, ClientModeSettings,
                         ::testing::Values(SettingsReply{"Plain", Answer::text(kClientModeReply)},
                                           SettingsReply{"Padded", padded(kClientModeReply, 100)}),
                         [](const auto& tested) { return std::string(tested.param.name); });

struct HotSpotCase {
  const char* name;
  std::vector<Answer> replies;  // in the order the printer gives them
  QString wifiName;             // the client-mode record's network
  QList<HotSpot> list;
  int orderInList;
  QString password;  // the record's pass phrase afterwards ("pw" before)
  int asks;          // queries the printer received
};

void PrintTo(const HotSpotCase& tested, std::ostream* out) { *out << tested.name; }

class HotSpots : public Wifi, public ::testing::WithParamInterface<HotSpotCase> {};

// "8011" says the printer is still searching: asked again 2 s later, five
// times at most, then the list stays empty as for any other code.
TEST_P(HotSpots, ListAndMatchTheClientModeNetwork) {
  const HotSpotCase& c = GetParam();
  makeModels();
  monitor::ClietModeSetting setting;
  setting.WifiName = c.wifiName;
  setting.WifiPassword = "pw";
  setting.orderInList = 3;
  network->setClietModeSetting(setting);
  for (const Answer& reply : c.replies) printer->queueIn(kBulkIn, reply);

  network->getHotSpotList();

  EXPECT_EQ(network->hotSpotList(), c.list);
  EXPECT_EQ(network->clietModeSetting().orderInList, c.orderInList);
  EXPECT_EQ(network->clietModeSetting().WifiPassword, c.password);
  EXPECT_EQ(sent(), std::vector<std::string>(static_cast<std::size_t>(c.asks), "Checkwifiserver?"));
  EXPECT_EQ(sim.waits, std::vector<std::chrono::milliseconds>(static_cast<std::size_t>(c.asks - 1), 2000ms));
}

const QList<HotSpot> kTwoSpots{spot(0, "Home", 5), spot(1, "Office", 2)};
const std::string kListReply = "8012;Home-5\r\nab\r\nOffice-2";

INSTANTIATE_TEST_SUITE_P(
    Replies, HotSpots,
    ::testing::Values(
        HotSpotCase{"KnownNetwork", {Answer::text(kListReply)}, "Office", kTwoSpots, 1, "pw", 1},
        HotSpotCase{"UnknownNetworkLosesItsPassword", {padded(kListReply, 64)}, "Cafe", kTwoSpots, 3, "", 1},
        HotSpotCase{"StillSearchingOnce", {padded("8011;"), Answer::text(kListReply)}, "Home", kTwoSpots, 0, "pw", 2},
        HotSpotCase{"StillSearchingForEver",
                    {padded("8011;"), padded("8011;"), padded("8011;"), Answer::text("8011;searching.."),
                     padded("8011;"), Answer::text(kListReply)},
                    "Home", {}, 3, "pw", 5},
        HotSpotCase{"OtherCode", {Answer::text("8013;Home-5\r\nOffice-2")}, "Home", {}, 3, "pw", 1},
        HotSpotCase{"NoListPart", {padded("8012")}, "Home", {}, 3, "pw", 1},
        HotSpotCase{"NoReply", {Answer::stall()}, "Home", {}, 3, "pw", 1}),
    [](const auto& tested) { return std::string(tested.param.name); });

// A position left from an older list names no hot spot: nothing is sent.
TEST_F(Wifi, StaleHotSpotPositionSendsNothing) {
  makeModels();
  printer->queueIn(kBulkIn, Answer::text(kHotSpotReply));
  network->getHotSpotList();
  ASSERT_EQ(network->hotSpotList().size(), 2);
  for (const int stale : {2, -1}) {
    monitor::ClietModeSetting setting = network->clietModeSetting();
    setting.orderInList = stale;
    network->setClietModeSetting(setting);
    EXPECT_EQ(network->setClientModeInfo(), (WifiResult{true, looked("错误"), looked("数据解析出错，请重试")}));
  }
  EXPECT_EQ(sent(), std::vector<std::string>{"Checkwifiserver?"});
  expectAlert(kNoAlert);
}

// A line break inside a field would split it and shift every later field.
TEST_F(Wifi, FieldWithALineBreakIsNotSent) {
  makeModels();
  const std::vector<std::function<void(monitor::APSetting&)>> accessPointEdits{
      [](auto& ap) { ap.APName = "my\rnet"; }, [](auto& ap) { ap.APPassword = "pa\nss"; },
      [](auto& ap) { ap.gateway = "192.168.1.254\r\n"; }};
  for (const auto& edit : accessPointEdits) {
    fillAccessPoint();
    monitor::APSetting setting = network->apSetting();
    edit(setting);
    network->setApSetting(setting);
    EXPECT_EQ(network->setAPInfo(), (WifiResult{true, kError, q("设置的参数有误")}));
    expectAlert({true, kError, q("设置的参数有误")});
  }

  printer->queueIn(kBulkIn, Answer::text("8012;Home-5\r\nbad\rname-4"));
  network->getHotSpotList();
  ASSERT_EQ(network->hotSpotList().size(), 2);
  const std::vector<std::function<void(monitor::ClietModeSetting&)>> clientEdits{
      [](auto& client) { client.orderInList = 1; }, [](auto& client) { client.WifiPassword = "p\nq"; },
      [](auto& client) { client.ipSetType = "S\r"; }, [](auto& client) { client.mask = "\n"; }};
  for (const auto& edit : clientEdits) {
    monitor::ClietModeSetting setting = network->clietModeSetting();
    setting.orderInList = 0;
    setting.WifiPassword = "pw";
    setting.ipSetType = "D";
    setting.ip = setting.mask = setting.gateway = "0.0.0.0";
    edit(setting);
    network->setClietModeSetting(setting);
    EXPECT_EQ(network->setClientModeInfo(), (WifiResult{true, looked("错误"), looked("设置的参数有误")}));
  }
  EXPECT_EQ(sent(), std::vector<std::string>{"Checkwifiserver?"});
}

// Commands go over USB only: for a network printer or none, nothing is
// sent and every operation ends as without a reply.
TEST_F(Wifi, NoCommandReachesAnythingButAPrinterOnUsb) {
  sim.discoverList(kPrinterOnLoopback);
  makeModels();
  ASSERT_EQ(printers->printerList().size(), 2);
  for (const monitor::Printer& selected : {printers->printerList()[1], monitor::Printer(QString())}) {
    printers->setSelectedPrinter(selected);
    printer->queueIn(kBulkIn, Answer::text(kListReply));
    StdoutCapture capture;
    EXPECT_EQ(network->getAPInfo(), (WifiResult{true, kError, q("数据解析错误")}));
    EXPECT_EQ(network->setAPInfo(), (WifiResult{true, kError, q("AP设置返回数据解析错误")}));
    EXPECT_EQ(network->getClientModeInfo(), (WifiResult{true, looked("错误"), looked("获取客户端模式数据出错")}));
    network->getHotSpotList();
    EXPECT_TRUE(network->hotSpotList().isEmpty());
    EXPECT_EQ(network->setClientModeInfo(), (WifiResult{true, looked("错误"), looked("数据解析出错，请重试")}));
    const auto lines = capture.lines();
    EXPECT_NE(std::find(lines.begin(), lines.end(),
                        "send cmd = CheckwifiAP? and current printer type = " + selected.type.toStdString()),
              lines.end());
  }
  EXPECT_TRUE(sent().empty());
  expectAlert(kNoAlert);
}

struct SecretCase {
  const char* name;
  Op op;
  std::vector<std::string> secrets;  // as the user gives them and as they are sent
  std::size_t hiddenLines;           // log lines that show "***" in their place
};

void PrintTo(const SecretCase& tested, std::ostream* out) { *out << tested.name; }

class WifiSecrets : public Wifi, public ::testing::WithParamInterface<SecretCase> {};

// The passwords reach the printer, and the model, byte for byte; every log
// line is still written, with "***" in their place.
TEST_P(WifiSecrets, StayOutOfTheLog) {
  const SecretCase& c = GetParam();
  makeModels();
  StdoutCapture capture;
  switch (c.op) {
    case Op::getAP:
      printer->queueIn(kBulkIn, padded(kAccessPointReply, 120));
      EXPECT_EQ(network->getAPInfo(), WifiResult{});
      EXPECT_EQ(network->apSetting().APPassword, "secret");
      break;
    case Op::setAP:
      fillAccessPoint();
      printer->queueIn(kBulkIn, padded("8004,ok"));
      EXPECT_TRUE(network->setAPInfo().showAlert);
      EXPECT_EQ(sent(), std::vector<std::string>{kSetAccessPoint});
      break;
    case Op::getSTA:
      printer->queueIn(kBulkIn, Answer::text(kClientModeReply));
      EXPECT_EQ(network->getClientModeInfo(), WifiResult{});
      EXPECT_EQ(network->clietModeSetting().WifiPassword, "secret");
      break;
    case Op::setSTA:
      printer->queueIn(kBulkIn, Answer::text(kHotSpotReply));
      fillClientMode();
      printer->queueIn(kBulkIn, padded("8002,ok"));
      EXPECT_TRUE(network->setClientModeInfo().showAlert);
      EXPECT_EQ(sent(), (std::vector<std::string>{"Checkwifiserver?", kSetClientMode}));
      break;
  }
  QCoreApplication::processEvents();
  std::string log;
  std::size_t hidden = 0;
  for (const std::string& line : capture.lines()) {
    log += line + "\n";
    if (line.starts_with("***")) ++hidden;
  }
  for (const std::string& secret : c.secrets) {
    EXPECT_EQ(log.find(secret), std::string::npos) << secret << " in\n" << log;
  }
  EXPECT_EQ(hidden, c.hiddenLines) << log;
}

INSTANTIATE_TEST_SUITE_P(
    Commands, WifiSecrets,
    ::testing::Values(
        // "run in set ap info", "send cmd", and the exchange's three lines.
        SecretCase{"SetAccessPoint", Op::setAP, {"pa?ss", "pa\x01ss"}, 5},
        // "send cmd" and the exchange's three lines.
        SecretCase{"SetClientMode", Op::setSTA, {"pw;1", "pw\x02" "1"}, 4},
        // The reply, in the exchange's last line.
        SecretCase{"ReadAccessPoint", Op::getAP, {"secret"}, 1},
        SecretCase{"ReadClientMode", Op::getSTA, {"secret"}, 1}),
    [](const auto& tested) { return std::string(tested.param.name); });

// The exchange's failure line is main-queue work: written once the model's
// own lines on the same failure are, by Qt's event loop (also without GLib's).
TEST_F(Wifi, AFailedExchangeWritesItsFailureLineFromTheMainQueueAfterTheModelsLines) {
  makeModels();
  fillAccessPoint();
  printer->queueIn(kBulkIn, Answer::stall());
  StdoutCapture capture;
  EXPECT_EQ(network->setAPInfo(), (WifiResult{true, kError, q("AP设置返回数据解析错误")}));
  const std::string failureLine = "function getIPInfoByUSB throws error";
  std::vector<std::string> lines = capture.lines();
  ASSERT_FALSE(lines.empty());
  EXPECT_EQ(lines.back(), "set ap response = nil");
  EXPECT_EQ(std::count(lines.begin(), lines.end(), failureLine), 0) << "written inside the exchange";

  EXPECT_TRUE(waitFor([&] {
    const auto now = capture.lines();
    return std::find(now.begin(), now.end(), failureLine) != now.end();
  })) << "the main queue never wrote the failure line";
  lines = capture.lines();
  EXPECT_EQ(std::count(lines.begin(), lines.end(), failureLine), 1);
  // Other queued work (the printer model's first status read) may run in
  // between; the model's line still comes first.
  EXPECT_LT(std::find(lines.begin(), lines.end(), "set ap response = nil"),
            std::find(lines.begin(), lines.end(), failureLine));
}

TEST_F(Wifi, CreatingTheModelSendsNothing) {
  makeModels();
  EXPECT_TRUE(sent().empty());
  EXPECT_FALSE(network->showNetworkSetting());
  EXPECT_EQ(network->clietModeSetting().ipSetType, "Manual");
  EXPECT_EQ(network->apSetting().encryptMode, 1);
}

}  // namespace
