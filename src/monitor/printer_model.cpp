#include "monitor/printer_model.h"

#include <QCoreApplication>

#include <array>
#include <cstdint>
#include <exception>
#include <string>
#include <utility>

#include "device/common/log.h"
#include "device/common/main_queue.h"
#include "device/common/supported_model.h"
#include "device/snmp/discovery_list.h"
#include "monitor/status_replies.h"
#include "monitor/status_table.h"
#include "monitor/supported_models.h"

namespace monitor {
namespace {

constexpr char kStatusOid[] = "1.3.6.1.4.1.48117.2.7.1.1";
constexpr char kTonerOid[] = "1.3.6.1.4.1.48117.2.7.4.1";
constexpr std::size_t kStatusReplyBufferSize = 300;
constexpr std::size_t kTonerReplyBufferSize = 30;
constexpr std::size_t kStatusRequestLength = 512;
// A printer of a model whose name starts so stops being polled while it
// sleeps; none of the supported models does.
constexpr int kSleepCode = 2009;
const QString kSleepRulePrefix = QStringLiteral("XRV");

QString text(const char* key) { return QString::fromUtf8(key); }

std::string str(const QString& value) { return value.toStdString(); }

device::usb::IOUSBDevRequestTO statusRequest(std::span<std::uint8_t> buffer) {
  device::usb::IOUSBDevRequestTO request;
  request.bmRequestType = 0xC0;  // device to host, vendor, device
  request.bRequest = 4;
  request.wValue = 0;
  request.wIndex = 0;
  request.wLength = static_cast<std::uint16_t>(kStatusRequestLength);
  request.pData = buffer;
  request.wLenDone = 255;
  request.noDataTimeout = 2000;
  request.completionTimeout = 3000;
  return request;
}

}  // namespace

PrinterModel::PrinterModel(MonitorDevices devices, QObject* parent)
    : QObject(parent),
      devices_(std::move(devices)),
      statusInfo_(1, text(QT_TRANSLATE_NOOP("Localizable", "正在连接")), {}, 0) {
  timer_.setParent(this);
  // The poll comes every interval, not within a few percent of it.
  timer_.setTimerType(Qt::PreciseTimer);
  connect(&timer_, &QTimer::timeout, this, &PrinterModel::pollTick);
  getPrinterList();
}

PrinterModel::~PrinterModel() = default;

void PrinterModel::setSelectedPrinter(const Printer& printer) {
  selectedPrinter_ = printer;
  emit selectedPrinterChanged();
}

void PrinterModel::setStatusInfo(const StatusInfo& status) {
  statusInfo_ = status;
  emit statusInfoChanged();
}

void PrinterModel::setTimerMode(TimerMode mode) {
  timerMode_ = mode;
  emit timerModeChanged();
}

void PrinterModel::appendPrinter(const Printer& printer) {
  printerList_.push_back(printer);
  emit printerListChanged();
}

void PrinterModel::getPrinterList() {
  printerList_.clear();
  emit printerListChanged();
  getPrinterByIOUSB();
  getPrinterBySNMP();
  isWakeUp_ = true;
  if (!printerList_.isEmpty()) {
    setSelectedPrinter(printerList_.front());
    updateStatus(selectedPrinter_);
  } else {
    setStatusInfo(StatusInfo(3, text(QT_TRANSLATE_NOOP("Localizable", "没有连接的设备")),
                             text(QT_TRANSLATE_NOOP("Localizable", "请刷新打印机列表或检查设备连接状态")), 0));
    setSelectedPrinter(Printer(QString()));
  }
}

void PrinterModel::getPrinterByIOUSB() {
  for (const device::usb::AttachedDevice& attached : devices_.listUsbDevices()) {
    const quint16 product = attached.product.value;
    const quint16 vendor = attached.vendor.value;
    const std::string ids = " pid = " + std::to_string(product) + " and vid = " + std::to_string(vendor);
    device::logLine(" find device" + ids);
    if (vendor != device::model::kVendorId.value) {
      continue;
    }
    for (const BRELPrinter& row : BRELPrinterList()) {
      if (row.PID != product) {
        continue;
      }
      appendPrinter(Printer(row.printerName, row.printerName + "(USB)", kUsbType, QString(), product, vendor));
      device::logLine(" find device " + str(row.printerName) + ids);
    }
  }
}

void PrinterModel::getPrinterBySNMP() {
  std::string list;
  if (devices_.snmpDiscover(list) == -1) {
    device::logLine("snmp get printers error\n");
    return;
  }
  // The list as a zero-terminated text.
  list = list.substr(0, list.find('\0'));
  device::logLine("swift snmp printerList : " + list);
  for (const device::snmp::DiscoveredAgent& agent : device::snmp::parseDiscoveryList(list)) {
    const QString address = QString::fromStdString(agent.address);
    const QString objectId = QString::fromStdString(agent.objectId);
    for (const BRELPrinter& row : BRELPrinterList()) {
      if (objectId.contains(row.oid)) {
        appendPrinter(Printer(row.printerName, row.printerName + "(" + address + ")", kNetType, address, row.PID,
                              device::model::kVendorId.value));
      }
    }
  }
}

void PrinterModel::updateStatus(const Printer& /*sPrinter*/) {
  if (!isWakeUp_) {
    timer_.stop();
    return;
  }
  initStatus();
  if (timerMode_ == TimerMode::running) {
    timer_.stop();
    startTimer();
  } else if (timerMode_ == TimerMode::stopped) {
    startTimer();
  }
}

void PrinterModel::stopUpdateStatus() {
  if (timerMode_ == TimerMode::running) {
    timer_.stop();
  }
}

void PrinterModel::startTimer() {
  setTimerMode(TimerMode::running);
  // One timer object: starting it again replaces the old schedule, so two
  // polls can never run side by side.
  if (selectedPrinter_.type == kUsbType) {
    timerPath_ = PollPath::usb;
  } else if (selectedPrinter_.type == kNetType) {
    timerPath_ = PollPath::net;
  } else {
    return;
  }
  timer_.start(devices_.pollInterval);
}

void PrinterModel::pollTick() {
  switch (timerPath_) {
    case PollPath::usb:
      getUSBControlRequestInfo();
      break;
    case PollPath::net:
      getSNMPStatus();
      break;
    case PollPath::none:
      break;
  }
}

void PrinterModel::initStatus() {
  if (selectedPrinter_.type == kUsbType) {
    getUSBControlRequestInfo();
  } else if (selectedPrinter_.type == kNetType) {
    getSNMPStatus();
  }
}

void PrinterModel::getUSBControlRequestInfo() {
  // By the time the read runs, the user may have picked another printer;
  // its result would then be shown under the wrong one.
  device::onMainQueue(*this, [this, queuedFor = selectedPrinter_] {
    if (selectedPrinter_ == queuedFor) {
      readUsbStatus();
    }
  });
}

void PrinterModel::readUsbStatus() {
  std::array<std::uint8_t, kStatusRequestLength> buffer{};
  const Printer reading = selectedPrinter_;
  try {
    devices_.sendUsbControlRequest(device::usb::VendorId(reading.VID), device::usb::ProductId(reading.PID),
                                   statusRequest(buffer));
  } catch (const std::exception&) {
    device::onMainQueue(*this, [this, reading] {
      if (selectedPrinter_ != reading) {
        return;
      }
      device::logLine("Received: error");
      statusInfo_.level = 3;
      statusInfo_.message = text(QT_TRANSLATE_NOOP("Localizable", "连接断开"));
      statusInfo_.discription = text(QT_TRANSLATE_NOOP("Localizable", "请检查设备的连接情况"));
      emit statusInfoChanged();
    });
    return;
  }
  const UsbStatusReply reply = usbStatusFromReply(buffer);
  device::logLine("usb control endpoint get status. code = " + std::to_string(reply.code) +
                  " toner code = " + std::to_string(reply.toner));
  applySleepRule(reply.code);
  publishStatus(reply.code, reply.toner);
}

void PrinterModel::getSNMPStatus() {
  const QString ip = selectedPrinter_.ip;
  device::logLine("snmp query ip = " + str(ip));
  const std::string status = devices_.snmpGet(str(ip), kStatusOid, kStatusReplyBufferSize);
  device::logLine("rInfo = " + status);
  // "error", and any text that does not carry a code, is a failed read.
  const std::optional<int> code = statusCodeFromSnmpText(status);
  if (!code) {
    statusInfo_.level = 3;
    statusInfo_.message = text(QT_TRANSLATE_NOOP("Localizable", "连接断开"));
    statusInfo_.discription = text(QT_TRANSLATE_NOOP("Localizable", "连接断开，请查看设备的网络连接情况"));
    emit statusInfoChanged();
    return;
  }
  applySleepRule(*code);
  device::logLine("selected printer = " + str(selectedPrinter_.name));
  publishStatus(*code, std::nullopt);

  const std::string tonerText = devices_.snmpGet(str(ip), kTonerOid, kTonerReplyBufferSize);
  device::logLine("toner oid ret = " + tonerText);
  int toner = 0;
  if (const std::optional<std::string_view> value = tonerValueText(tonerText)) {
    device::logLine("toner = " + std::string(*value));
    toner = parseDecimal(*value).value_or(0);
  }
  statusInfo_.toner = toner;
  emit statusInfoChanged();
}

void PrinterModel::applySleepRule(int code) {
  if (code == kSleepCode && selectedPrinter_.name.startsWith(kSleepRulePrefix)) {
    isWakeUp_ = false;
  }
}

void PrinterModel::publishStatus(int code, std::optional<int> toner) {
  const StatusEntry entry = decodeStatusInfo(code, selectedPrinter_.name);
  statusInfo_.level = entry.level;
  statusInfo_.message = entry.message;
  statusInfo_.discription = entry.description;
  if (toner) {
    statusInfo_.toner = *toner;
  }
  emit statusInfoChanged();
}

}  // namespace monitor
