#pragma once
// The status monitor's network model: reads and changes the Wi-Fi settings
// of the selected printer (attached by USB) with text commands. Every
// operation is synchronous on the GUI thread and blocks while the printer
// answers.

#include <QList>
#include <QObject>
#include <QString>

#include <optional>

#include "device/tcp/tcp_communicator.h"
#include "monitor/monitor_devices.h"
#include "monitor/wifi_settings.h"

namespace monitor {

class PrinterModel;

// The outcome of a settings operation: whether the caller shows an alert,
// with its title and message. (false, "", "") is a read that succeeded.
struct WifiResult {
  bool showAlert = false;
  QString title;
  QString message;

  friend bool operator==(const WifiResult&, const WifiResult&) = default;
};

class NetworkModel : public QObject {
  Q_OBJECT
  // Published: the window shows the settings pane while it is true. Only the
  // window sets it.
  Q_PROPERTY(bool showNetworkSetting READ showNetworkSetting WRITE setShowNetworkSetting NOTIFY
                 showNetworkSettingChanged)
  // Not published: the forms read them after the call that fills them.
  Q_PROPERTY(monitor::ClietModeSetting clietModeSetting READ clietModeSetting WRITE setClietModeSetting)
  Q_PROPERTY(monitor::APSetting apSetting READ apSetting WRITE setApSetting)
  Q_PROPERTY(QList<monitor::HotSpot> hotSpotList READ hotSpotList)
  Q_PROPERTY(bool showAlter READ showAlter)
  Q_PROPERTY(QString alterTitle READ alterTitle)
  Q_PROPERTY(QString alterInfo READ alterInfo)

 public:
  // Commands go to the printer that printers.selectedPrinter() names at the
  // time of each command. Nothing is sent at construction.
  NetworkModel(const PrinterModel& printers, MonitorDevices devices, QObject* parent = nullptr);
  ~NetworkModel() override;

  inline static const QString GETHOTSPOTLISTCMD = QStringLiteral("Checkwifiserver?");

  const ClietModeSetting& clietModeSetting() const { return clietModeSetting_; }
  void setClietModeSetting(const ClietModeSetting& setting) { clietModeSetting_ = setting; }
  const APSetting& apSetting() const { return apSetting_; }
  void setApSetting(const APSetting& setting) { apSetting_ = setting; }
  const QList<HotSpot>& hotSpotList() const { return hotSpotList_; }
  bool showAlter() const { return showAlter_; }
  const QString& alterTitle() const { return alterTitle_; }
  const QString& alterInfo() const { return alterInfo_; }
  bool showNetworkSetting() const { return showNetworkSetting_; }
  void setShowNetworkSetting(bool show);

  // The TCP channel nothing connects (commands go over USB only).
  void initTCPClient(const QString& url);
  void disconnectTCPClient();
  device::tcp::TCPCommunicator& tcpClient() { return tcpClient_; }

  // Refreshes hotSpotList and matches the client-mode record against it.
  // "8011" (the printer is still searching) asks again after 2 s, at most 5
  // times in all.
  void getHotSpotList();
  // Reads the access-point settings into apSetting.
  WifiResult getAPInfo();
  // Sends apSetting. A field holding CR or LF is not sent.
  WifiResult setAPInfo();
  // Reads the client-mode settings into clietModeSetting.
  WifiResult getClientModeInfo();
  // Sends clietModeSetting with the name of the hot spot at orderInList.
  // An orderInList outside hotSpotList, or a field holding CR or LF, is not
  // sent.
  WifiResult setClientModeInfo();

  // One command and its reply (trailing NUL bytes removed), or no value.
  // Only a printer attached by USB is asked; otherwise nothing is sent.
  std::optional<QString> sendCommand(const QString& cmd);
  std::optional<QString> usbCommucation(const QString& cmd);
  std::optional<QString> tcpCommucation(const QString& cmd);

 signals:
  void showNetworkSettingChanged();

 private:
  using TextLookup = QString (*)(const char* key);
  // Sets the alert fields to the title and message (as the lookup gives
  // them) and returns them.
  WifiResult raiseAlert(const char* title, const char* info, TextLookup lookup);

  const PrinterModel& printers_;
  MonitorDevices devices_;
  ClietModeSetting clietModeSetting_;
  APSetting apSetting_;
  QList<HotSpot> hotSpotList_;
  bool showAlter_ = false;
  QString alterTitle_;
  QString alterInfo_;
  device::tcp::TCPCommunicator tcpClient_;
  bool showNetworkSetting_ = false;
};

}  // namespace monitor
