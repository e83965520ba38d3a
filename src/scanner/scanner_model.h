#pragma once
// The scanner application's model: the scanners found, the one chosen for the
// next scan, the application's one alert, and the scan operation, which runs
// synchronously on the GUI thread.

#include <QList>
#include <QObject>
#include <QString>
#include <string>

#include "device/tcp/tcp_communicator.h"
#include "scan/pages/pdf_writer.h"
#include "scan/pages/receive_folder.h"
#include "scan/result.h"
#include "scan/scan_param.h"
#include "scan/conversation/scanner_device.h"
#include "scanner/scanner_discovery.h"
#include "scan/conversation/socket_scan_process.h"
#include "scanner/ui_params.h"
#include "scan/conversation/usb_scan_transport.h"

namespace scan {

// What the model reaches the world through; the defaults are the
// application's, tests put their own.
struct ScannerModelOptions {
  DiscoverySettings discovery{};
  device::tcp::ChannelOptions network = scanChannelOptions();
  UsbScanTransport usbTransport = runUsbScan;
  // Names the receive folder and the PDF.
  Clock clock = systemNow;
};

// The alert message of a scan whose page stream broke (`failureKey`) after
// `kept` complete pages were saved in `folder`: the failure's text and, on a
// line of its own, how many pages were kept and where.
QString keptPagesMessage(const std::string& failureKey, std::size_t kept, const std::string& folder);

class ScannerModel : public QObject {
  Q_OBJECT
  Q_PROPERTY(QList<scan::Device> scannerList READ scannerList WRITE setScannerList NOTIFY scannerListChanged)
  Q_PROPERTY(bool showAlert READ showAlert WRITE setShowAlert NOTIFY showAlertChanged)
  Q_PROPERTY(QString alertMessage READ alertMessage WRITE setAlertMessage NOTIFY alertMessageChanged)
  Q_PROPERTY(QString alertTitle READ alertTitle WRITE setAlertTitle NOTIFY alertTitleChanged)
  Q_PROPERTY(scan::Device selectedScanner READ selectedScanner WRITE setSelectedScanner NOTIFY selectedScannerChanged)

 public:
  // Queues the first discovery; it runs once the GUI thread is back in its
  // event loop.
  explicit ScannerModel(ScannerModelOptions options = {}, QObject* parent = nullptr);
  // With a scanner chosen beforehand; starts no discovery.
  ScannerModel(Device scanner, ScannerModelOptions options = {}, QObject* parent = nullptr);

  QList<Device> scannerList() const { return scannerList_; }
  void setScannerList(const QList<Device>& list);
  bool showAlert() const { return showAlert_; }
  void setShowAlert(bool show);
  QString alertMessage() const { return alertMessage_; }
  void setAlertMessage(const QString& message);
  QString alertTitle() const { return alertTitle_; }
  void setAlertTitle(const QString& title);
  Device selectedScanner() const { return selectedScanner_; }
  void setSelectedScanner(const Device& scanner);
  // The current (or last) scan's receive folder.
  const std::string& receiveDir() const { return receiveFolder_.path(); }

  // Shows the alert: showAlert, then the title's and the message's texts
  // from the "Localizable" string table (a key it lacks is its own text).
  void raiseAlert(const char* titleKey, const char* messageKey);

  // Queues one discovery on the GUI thread and returns at once. The work
  // item replaces the list (network scanners first) and selects its first
  // entry, or raises "error" / "noScannerFound".
  void autoDetectScanners();

  // Makes saveDir/yyyyMMddHHmmss for this scan.
  ResultPair createReceiveDir(const std::string& saveDir);
  // Removes the folder this scan made, and nothing else.
  void clearReceiveDir();
  ScanParam setScanParameter(const UIParams& uiParam) const;

  // One whole scan with the selected scanner, synchronously: receive folder,
  // scan run over TCP ("Net") or USB (any other type), result alert, merge,
  // PDF. The outcome is in the alert fields and the files.
  void startScan(const UIParams& uiParam);

 signals:
  void scannerListChanged();
  void showAlertChanged();
  void alertMessageChanged();
  void alertTitleChanged();
  void selectedScannerChanged();

 private:
  void discover();
  ResultPair runScan(ScanCommand& command);
  void finishScan(const ResultPair& result, const ScanParam& param, const UIParams& uiParam);

  ScannerModelOptions options_;
  QList<Device> scannerList_;
  bool showAlert_ = false;
  QString alertMessage_;
  QString alertTitle_;
  Device selectedScanner_;
  ReceiveFolder receiveFolder_;
};

}  // namespace scan
