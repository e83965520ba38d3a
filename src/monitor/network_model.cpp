#include "monitor/network_model.h"

#include <utility>

#include "monitor/printer_model.h"

namespace monitor {

NetworkModel::NetworkModel(const PrinterModel& printers, MonitorDevices devices, QObject* parent)
    : QObject(parent), printers_(printers), devices_(std::move(devices)), tcpClient_("192.168.1.1", 9101) {}

NetworkModel::~NetworkModel() = default;

void NetworkModel::setShowNetworkSetting(bool show) {
  showNetworkSetting_ = show;
  emit showNetworkSettingChanged();
}

void NetworkModel::initTCPClient(const QString&) {}
void NetworkModel::disconnectTCPClient() {}
void NetworkModel::getHotSpotList() {}
WifiResult NetworkModel::getAPInfo() { return {}; }
WifiResult NetworkModel::setAPInfo() { return {}; }
WifiResult NetworkModel::getClientModeInfo() { return {}; }
WifiResult NetworkModel::setClientModeInfo() { return {}; }
std::optional<QString> NetworkModel::sendCommand(const QString&) { return std::nullopt; }
std::optional<QString> NetworkModel::usbCommucation(const QString&) { return std::nullopt; }
std::optional<QString> NetworkModel::tcpCommucation(const QString&) { return std::nullopt; }

}  // namespace monitor
