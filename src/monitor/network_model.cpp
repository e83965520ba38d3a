#include "monitor/network_model.h"

#include <QCoreApplication>

#include <algorithm>
#include <iterator>
#include <span>
#include <string>
#include <utility>

#include "device/common/log.h"
#include "monitor/printer_model.h"
#include "monitor/wifi_fields.h"
#include "monitor/wifi_replies.h"

namespace monitor {
namespace {

// Texts returned and stored as they stand (access-point operations).
QString text(const char* key) { return QString::fromUtf8(key); }
// Texts passed through the application's string table (client-mode
// operations).
QString looked(const char* key) { return QCoreApplication::translate("Localizable", key); }

void log(const QString& line) { device::logLine(line.toStdString()); }

const char* const kError = QT_TRANSLATE_NOOP("Localizable", "错误");
const char* const kErrorEnglish = QT_TRANSLATE_NOOP("Localizable", "Error");
const char* const kBusy = QT_TRANSLATE_NOOP("Localizable", "设备忙,打印中");
const char* const kModeNotSupported = QT_TRANSLATE_NOOP("Localizable", "当前wifi模式不支持");
const char* const kApParseError = QT_TRANSLATE_NOOP("Localizable", "数据解析错误");
const char* const kSetSuccessTitle = QT_TRANSLATE_NOOP("Localizable", "设置成功");
const char* const kSetSuccess = QT_TRANSLATE_NOOP("Localizable", "已成功设置热点信息");
const char* const kSetWhilePrinting = QT_TRANSLATE_NOOP("Localizable", "打印中，无法设置");
const char* const kWrongParameters = QT_TRANSLATE_NOOP("Localizable", "设置的参数有误");
const char* const kSetModeNotSupported = QT_TRANSLATE_NOOP("Localizable", "wifi模式不支持");
const char* const kApSetParseError = QT_TRANSLATE_NOOP("Localizable", "AP设置返回数据解析错误");
const char* const kClientModeReadError = QT_TRANSLATE_NOOP("Localizable", "获取客户端模式数据出错");
const char* const kClientModeSetParseError = QT_TRANSLATE_NOOP("Localizable", "数据解析出错，请重试");

// The reply codes of a set command that raise an alert, with its title and
// message.
struct Outcome {
  const char* code;
  const char* title;
  const char* message;
};

const Outcome kAccessPointOutcomes[] = {{"8004", kSetSuccessTitle, kSetSuccess},
                                        {"1001", kError, kSetWhilePrinting},
                                        {"8005", kError, kWrongParameters},
                                        {"8001", kError, kSetModeNotSupported}};
const Outcome kClientModeOutcomes[] = {{"8002", kSetSuccessTitle, kSetSuccess},
                                       {"1001", kError, kSetWhilePrinting},
                                       {"8003", kError, kWrongParameters},
                                       {"8001", kError, kSetModeNotSupported}};

const Outcome* outcomeOf(const std::optional<QString>& reply, std::span<const Outcome> outcomes) {
  if (!reply) {
    return nullptr;
  }
  const QString code = wifi::replyCode(*reply);
  const auto found = std::find_if(outcomes.begin(), outcomes.end(),
                                  [&](const Outcome& outcome) { return code == QLatin1String(outcome.code); });
  return found != outcomes.end() ? &*found : nullptr;
}

}  // namespace

NetworkModel::NetworkModel(const PrinterModel& printers, MonitorDevices devices, QObject* parent)
    // Nothing connects the TCP channel: the address only has to be fixed.
    : QObject(parent), printers_(printers), devices_(std::move(devices)), tcpClient_("192.168.1.1", 9101) {}

NetworkModel::~NetworkModel() = default;

void NetworkModel::setShowNetworkSetting(bool show) {
  showNetworkSetting_ = show;
  emit showNetworkSettingChanged();
}

WifiResult NetworkModel::raiseAlert(const char* title, const char* info, TextLookup lookup) {
  showAlter_ = true;
  alterTitle_ = lookup(title);
  alterInfo_ = lookup(info);
  return {true, alterTitle_, alterInfo_};
}

void NetworkModel::initTCPClient(const QString& url) {
  tcpClient_.setURL(url.toStdString());
  tcpClient_.connect();
}

void NetworkModel::disconnectTCPClient() { tcpClient_.disconnect(); }

void NetworkModel::getHotSpotList() {
  hotSpotList_.clear();
  // The printer answers "8011" while it is still looking for networks; a
  // printer that never stops must not hold the window for ever.
  for (int ask = 1; ask <= kHotSpotMaxAsks; ++ask) {
    const std::optional<QString> reply = sendCommand(GETHOTSPOTLISTCMD);
    if (!reply) {
      return;
    }
    const std::optional<wifi::HotSpotReply> answer = wifi::splitHotSpotReply(*reply);
    if (!answer) {
      return;
    }
    if (answer->code == QLatin1String("8011")) {
      if (ask < kHotSpotMaxAsks) {
        devices_.wait(kHotSpotRetryWait);
      }
      continue;
    }
    if (answer->code != QLatin1String("8012")) {
      return;
    }
    hotSpotList_ = wifi::parseHotSpotList(answer->list);
    bool matched = false;
    for (const HotSpot& entry : hotSpotList_) {
      if (clietModeSetting_.WifiName == entry.name) {
        clietModeSetting_.orderInList = entry.id;
        matched = true;
      }
    }
    if (!matched) {
      clietModeSetting_.WifiPassword.clear();
    }
    return;
  }
}

WifiResult NetworkModel::getAPInfo() {
  log(QStringLiteral("run in function getAPInfo"));
  const std::optional<QString> reply = sendCommand(QStringLiteral("CheckwifiAP?"));
  const WifiResult parseError{true, text(kError), text(kApParseError)};
  if (!reply) {
    return parseError;
  }
  const QString code = wifi::replyCode(*reply);
  if (code == QLatin1String("1001") || code == QLatin1String("8001")) {
    raiseAlert(kErrorEnglish, code == QLatin1String("1001") ? kBusy : kModeNotSupported, text);
    return {true, text(kError), alterInfo_};
  }
  const QStringList lines = wifi::replyLines(*reply);
  if (code != QLatin1String("8014") || lines.size() < std::ssize(wifi::kApReplyFields) ||
      !lines.at(0).contains(u';')) {
    return parseError;
  }
  apSetting_ = wifi::apSettingFrom(lines);
  log("apname = " + apSetting_.APName + " and value = " + wifi::nameAfterSemicolon(lines.at(0)));
  return {};
}

WifiResult NetworkModel::setAPInfo() {
  const QStringList fields = wifi::apSetFields(apSetting_);
  // A line break would end a field early and shift every later one: the
  // printer would store wrong values.
  if (wifi::anyHoldsLineBreak(fields)) {
    return raiseAlert(kError, kWrongParameters, text);
  }
  const QString cmd = wifi::setCommand(QStringLiteral("SetwifiAP"), fields);
  log("run in set ap info and cmd = " + wifi::forLog(cmd, cmd));
  const std::optional<QString> reply = sendCommand(QString::fromUtf8(wifi::substituteCommandBytes(cmd)));
  log("set ap response = " + (reply ? wifi::forLog(cmd, *reply) : QStringLiteral("nil")));
  if (const Outcome* outcome = outcomeOf(reply, kAccessPointOutcomes)) {
    return raiseAlert(outcome->title, outcome->message, text);
  }
  return {true, text(kError), text(kApSetParseError)};
}

WifiResult NetworkModel::getClientModeInfo() {
  log(QStringLiteral("run in getClientModeInfo"));
  const std::optional<QString> reply = sendCommand(QStringLiteral("CheckwifiSTA?"));
  const WifiResult parseError{true, looked(kError), looked(kClientModeReadError)};
  if (!reply) {
    return parseError;
  }
  if (!reply->contains(u',')) {
    return {true, text(kError), text(kClientModeReadError)};
  }
  const QString code = wifi::replyCode(*reply);
  if (code == QLatin1String("1001") || code == QLatin1String("8001")) {
    return raiseAlert(kError, code == QLatin1String("1001") ? kBusy : kModeNotSupported, looked);
  }
  const QStringList lines = wifi::replyLines(*reply);
  if (code != QLatin1String("8013") || lines.size() < std::ssize(wifi::kClientModeFields) ||
      !lines.at(0).contains(u';')) {
    return parseError;
  }
  clietModeSetting_ = wifi::clientModeSettingFrom(lines, clietModeSetting_);
  return {};
}

WifiResult NetworkModel::setClientModeInfo() {
  const WifiResult parseError{true, looked(kError), looked(kClientModeSetParseError)};
  // The chosen network must be one of the list the printer gave last; a
  // stale position names none.
  const int order = clietModeSetting_.orderInList;
  if (order < 0 || order >= hotSpotList_.size()) {
    return parseError;
  }
  const QStringList fields = wifi::clientModeSetFields(clietModeSetting_, hotSpotList_.at(order).name);
  if (wifi::anyHoldsLineBreak(fields)) {
    return raiseAlert(kError, kWrongParameters, looked);
  }
  const QString cmd = wifi::setCommand(QStringLiteral("SetwifiSTA"), fields);
  const std::optional<QString> reply = sendCommand(QString::fromUtf8(wifi::substituteCommandBytes(cmd)));
  if (const Outcome* outcome = outcomeOf(reply, kClientModeOutcomes)) {
    return raiseAlert(outcome->title, outcome->message, looked);
  }
  return parseError;
}

std::optional<QString> NetworkModel::sendCommand(const QString& cmd) {
  const Printer& printer = printers_.selectedPrinter();
  log("send cmd = " + wifi::forLog(cmd, cmd) + " and current printer type = " + printer.type);
  // Only a printer attached by USB has a channel for commands; the TCP
  // channel is never connected.
  if (printer.type != kUsbType) {
    return std::nullopt;
  }
  const std::optional<QString> reply = usbCommucation(cmd);
  if (!reply) {
    return std::nullopt;
  }
  // The printer answers in a read of at least 16 bytes and may pad a short
  // reply with NUL bytes.
  return wifi::withoutTrailingNuls(*reply);
}

std::optional<QString> NetworkModel::usbCommucation(const QString& cmd) {
  const Printer& printer = printers_.selectedPrinter();
  // The log shows the command and its reply without the password they
  // may carry; the printer gets the command whole.
  const device::usb::LogText shown = [cmd](std::string_view text) {
    return wifi::forLog(cmd, QString::fromUtf8(text.data(), static_cast<qsizetype>(text.size()))).toStdString();
  };
  const std::optional<std::string> reply = devices_.usbTextCommand(
      cmd.toStdString(), device::usb::ProductId(printer.PID), device::usb::VendorId(printer.VID), shown);
  if (!reply) {
    return std::nullopt;
  }
  return QString::fromStdString(*reply);
}

std::optional<QString> NetworkModel::tcpCommucation(const QString& cmd) {
  tcpClient_.send(cmd.toStdString());
  const std::optional<std::string> reply = tcpClient_.receive();
  if (!reply) {
    return std::nullopt;
  }
  return QString::fromStdString(*reply);
}

}  // namespace monitor
