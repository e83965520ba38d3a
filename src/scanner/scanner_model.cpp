#include "scanner/scanner_model.h"

#include <QCoreApplication>
#include <charconv>

#include "device/common/log.h"
#include "device/common/main_queue.h"
#include "scan/pages/file_names.h"
#include "scan/pages/merge.h"
#include "scan/message_keys.h"
#include "scanner/picker_options.h"
#include "scanner/choices_to_scan_param.h"

namespace scan {
namespace {

using device::logLine;

QString text(const char* key) { return QCoreApplication::translate("Localizable", key); }

// The page count of a successful run; a run that ended before its first page
// may answer a word instead of a number, which counts as no page.
long long pageCount(const std::string& message) {
  long long pages = 0;
  const auto [end, error] = std::from_chars(message.data(), message.data() + message.size(), pages);
  if (error != std::errc() || end != message.data() + message.size() || pages < 0) return 0;
  return pages;
}

// The page stream broke: closed, silent or ended inside a page, over USB an
// unplug, a time-out or a transfer of no known shape.
bool brokeTheStream(const std::string& key) {
  return key == keys::kScannerNetworkError || key == keys::kReceiveImagesError;
}

// After a broken stream or a page's file that failed, the pages saved before
// are complete and stay. A failure the scanner reports (a jam, an open door,
// an unknown status) and every failure before the first page remove the
// receive folder.
bool keepsSavedPages(const std::string& key) {
  return brokeTheStream(key) || key == keys::kSaveImageError;
}

std::string describe(const ResultPair& result) {
  return std::string("(status: ") + (result.status ? "true" : "false") + ", message: \"" +
         result.message + "\")";
}

}  // namespace

QString keptPagesMessage(const std::string& failureKey, std::size_t kept, const std::string& folder) {
  return text(failureKey.c_str()) + QStringLiteral("\n") +
         text(keys::kPagesKept).arg(QString::number(kept), QString::fromStdString(folder));
}

ScannerModel::ScannerModel(ScannerModelOptions options, QObject* parent)
    : QObject(parent), options_(std::move(options)), selectedScanner_(Device()) {
  autoDetectScanners();
}

ScannerModel::ScannerModel(Device scanner, ScannerModelOptions options, QObject* parent)
    : QObject(parent), options_(std::move(options)), selectedScanner_(std::move(scanner)) {}

void ScannerModel::setScannerList(const QList<Device>& list) {
  if (list == scannerList_) return;
  scannerList_ = list;
  emit scannerListChanged();
}

void ScannerModel::setShowAlert(bool show) {
  if (show == showAlert_) return;
  showAlert_ = show;
  emit showAlertChanged();
}

void ScannerModel::setAlertMessage(const QString& message) {
  if (message == alertMessage_) return;
  alertMessage_ = message;
  emit alertMessageChanged();
}

void ScannerModel::setAlertTitle(const QString& title) {
  if (title == alertTitle_) return;
  alertTitle_ = title;
  emit alertTitleChanged();
}

void ScannerModel::setSelectedScanner(const Device& scanner) {
  if (scanner == selectedScanner_) return;
  selectedScanner_ = scanner;
  emit selectedScannerChanged();
}

void ScannerModel::raiseAlert(const char* titleKey, const char* messageKey) {
  setShowAlert(true);
  setAlertTitle(text(titleKey));
  setAlertMessage(text(messageKey));
}

void ScannerModel::autoDetectScanners() {
  // Bound to this object: a model destroyed before the GUI thread gets to it
  // drops the work item.
  device::onMainQueue(*this, [this] { discover(); });
}

void ScannerModel::discover() {
  const std::vector<Device> found = getDevicesList(options_.discovery);
  setScannerList(QList<Device>(found.begin(), found.end()));
  if (found.empty()) {
    raiseAlert(keys::kError, keys::kNoScannerFound);
    return;
  }
  setSelectedScanner(found.front());
  logLine("find scanner , ip = " + found.front().ip);
}

ResultPair ScannerModel::createReceiveDir(const std::string& saveDir) {
  return receiveFolder_.create(saveDir, timeStampName(options_.clock()));
}

void ScannerModel::clearReceiveDir() { receiveFolder_.clear(); }

ScanParam ScannerModel::setScanParameter(const UIParams& uiParam) const {
  return scan::setScanParameter(uiParam, receiveFolder_.path());
}

ResultPair ScannerModel::runScan(ScanCommand& command) {
  if (selectedScanner_.type == kTypeNet) {
    SocketScanProcess process(selectedScanner_, command, options_.network);
    return process.startScan();
  }
  return options_.usbTransport(selectedScanner_, command);
}

void ScannerModel::startScan(const UIParams& uiParam) {
  if (!isValidSaveFileName(uiParam.saveFileName)) {
    raiseAlert(keys::kError, keys::kInvalidSaveFileName);
    return;
  }
  if (const ResultPair made = createReceiveDir(uiParam.saveDir); !made.status) {
    raiseAlert(keys::kError, made.message.c_str());
    return;
  }
  const ScanParam param = setScanParameter(uiParam);
  ScanCommand command(param);
  const ResultPair result = runScan(command);
  setShowAlert(true);
  logLine("ret = " + describe(result));
  finishScan(result, command.param, uiParam);
}

void ScannerModel::finishScan(const ResultPair& result, const ScanParam& param, const UIParams& uiParam) {
  if (!result.status) {
    // A run that failed for want of a message still tells the user something.
    const std::string key = result.message.empty() ? keys::kUnexpectError : result.message;
    setAlertTitle(text(keys::kError));
    // Pages saved whole stay where they are: they may be the only copy of
    // what was scanned.
    const std::size_t kept = keepsSavedPages(key) ? receiveFolder_.entryCount() : 0;
    if (kept == 0) clearReceiveDir();
    // Told, the user need not scan again what already came.
    setAlertMessage(kept > 0 && brokeTheStream(key) ? keptPagesMessage(key, kept, receiveFolder_.path())
                                                    : text(key.c_str()));
    return;
  }
  const long long received = pageCount(result.message);
  // A scan without a page leaves the save folder as it was.
  if (received == 0) clearReceiveDir();
  setAlertTitle(text(keys::kInfo));
  setAlertMessage(text(keys::kScanPages) + QString::number(received) + " " + text(keys::kPages));

  long long pages = received;
  if (pages > 0 && param.combineType != kNoCombine) {
    if (!combineImage(pages, combineOriation(param.combineType), param).status) {
      raiseAlert(keys::kError, keys::kSaveImageError);
      return;
    }
    pages = (pages + 1) / 2;
  }
  if (param.fileType != "PDF") return;
  if (pages > 0) {
    const std::string pageSize(optionAt(pageSizeOption, uiParam.pageSizeIndex));
    if (!save2PDF(param, pages, uiParam.saveDir, pageSize, options_.clock).status) {
      raiseAlert(keys::kError, keys::kSaveImageError);
      return;
    }
  }
  clearReceiveDir();
}

}  // namespace scan
