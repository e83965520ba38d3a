#pragma once
// The status monitor's printer model: finds the supported printers on USB
// and on the local network, keeps the list and the selected printer, reads
// the selected printer's status and toner every poll interval (6 s) and
// publishes what the window shows. Everything runs on the GUI thread.

#include <QList>
#include <QObject>
#include <QTimer>

#include <optional>

#include "monitor/monitor_devices.h"
#include "monitor/printer.h"
#include "monitor/status_info.h"
#include "monitor/wifi_settings.h"

namespace monitor {

class PrinterModel : public QObject {
  Q_OBJECT
  // Published: every assignment emits the field's signal.
  Q_PROPERTY(QList<monitor::Printer> printerList READ printerList NOTIFY printerListChanged)
  Q_PROPERTY(QList<monitor::HotSpot> hotSpotList READ hotSpotList NOTIFY hotSpotListChanged)
  Q_PROPERTY(monitor::Printer selectedPrinter READ selectedPrinter WRITE setSelectedPrinter NOTIFY
                 selectedPrinterChanged)
  Q_PROPERTY(monitor::StatusInfo statusInfo READ statusInfo WRITE setStatusInfo NOTIFY statusInfoChanged)
  Q_PROPERTY(monitor::TimerMode timerMode READ timerMode NOTIFY timerModeChanged)
  // Not published: the window sets it to true when the user picks a printer.
  Q_PROPERTY(bool isWakeUp READ isWakeUp WRITE setIsWakeUp)

 public:
  // Sets the defaults (status level 1 "正在连接", toner 0, the placeholder
  // selected, timer stopped) and ends with a full discovery
  // (getPrinterList), so it blocks for as long as discovery listens.
  explicit PrinterModel(MonitorDevices devices, QObject* parent = nullptr);
  ~PrinterModel() override;

  // USB printers first, then network printers, in the order found.
  const QList<Printer>& printerList() const { return printerList_; }
  // Stays empty.
  const QList<HotSpot>& hotSpotList() const { return hotSpotList_; }
  // The printer being polled; the placeholder (empty type) when none.
  const Printer& selectedPrinter() const { return selectedPrinter_; }
  void setSelectedPrinter(const Printer& printer);
  const StatusInfo& statusInfo() const { return statusInfo_; }
  void setStatusInfo(const StatusInfo& status);
  TimerMode timerMode() const { return timerMode_; }
  bool isWakeUp() const { return isWakeUp_; }
  void setIsWakeUp(bool wakeUp) { isWakeUp_ = wakeUp; }

  // Full discovery: empties the list, USB pass, SNMP pass, selects the first
  // printer and starts polling it; with nothing found, the no-printer status
  // and the placeholder. Does not stop a running timer (refresh calls
  // stopUpdateStatus first).
  void getPrinterList();
  void getPrinterByIOUSB();
  void getPrinterBySNMP();

  // One immediate read of the selected printer and a restart of the poll
  // timer; only a stop of the timer when isWakeUp is false. The argument is
  // not used: polling always reads selectedPrinter.
  void updateStatus(const Printer& sPrinter);
  // Stops the poll timer if timerMode is running (the mode stays running).
  void stopUpdateStatus();
  // Sets timerMode running and starts the repeating poll for the selected
  // printer's type (USB or SNMP, fixed until the next start); nothing for
  // the placeholder.
  void startTimer();
  // One read of the selected printer by its type.
  void initStatus();
  // One status and toner read over SNMP, synchronous.
  void getSNMPStatus();
  // Queues one USB status read on the GUI thread's event queue. It reads
  // and publishes only if the selected printer is still the one selected
  // when it was queued.
  void getUSBControlRequestInfo();

 signals:
  void printerListChanged();
  void hotSpotListChanged();
  void selectedPrinterChanged();
  void statusInfoChanged();
  void timerModeChanged();

 private:
  enum class PollPath { none, usb, net };

  void setTimerMode(TimerMode mode);
  void appendPrinter(const Printer& printer);
  void readUsbStatus();
  void publishStatus(int code, std::optional<int> toner);
  void applySleepRule(int code);
  void pollTick();

  MonitorDevices devices_;
  QList<Printer> printerList_;
  QList<HotSpot> hotSpotList_;
  Printer selectedPrinter_;
  StatusInfo statusInfo_;
  TimerMode timerMode_ = TimerMode::stopped;
  QTimer timer_;
  PollPath timerPath_ = PollPath::none;
  bool isWakeUp_ = true;
};

}  // namespace monitor
