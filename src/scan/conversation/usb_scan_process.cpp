#include "scan/conversation/usb_scan_process.h"

#include <algorithm>
#include <exception>
#include <string>
#include <vector>

#include "device/common/log.h"
#include "device/usb/control_request.h"
#include "device/usb/errors.h"
#include "scan/conversation/command_replies.h"
#include "scan/message_keys.h"
#include "scan/conversation/page_receiver.h"
#include "scan/pages/page_writer.h"
#include "scan/conversation/scan_status.h"
#include "scan/conversation/usb_page_reader.h"

namespace scan {

using device::logLine;
namespace usb = device::usb;

namespace {

constexpr std::uint8_t kScanInterfaceNumber = 1;

// The vendor requests that open and close the scanner, on the default pipe.
constexpr std::uint8_t kVendorIn = 0xC0;
constexpr std::uint8_t kOpenRequest = 1;
constexpr std::uint8_t kCloseRequest = 2;
constexpr std::uint16_t kRequestValue = 2;
constexpr std::uint16_t kReplyArea = 0x0500;
constexpr std::uint32_t kRequestNoDataMs = 2000;
constexpr std::uint32_t kRequestCompletionMs = 3000;
// Reply byte 0 and byte 4: ready and idle, or ready and busy.
constexpr std::uint8_t kReady = 5;
constexpr std::uint8_t kIdle = 0;
constexpr std::uint8_t kBusy = 1;

// The commands' bulk transfers.
constexpr double kCommandTimeout = 0.3;
constexpr std::size_t kSourceReplyMax = 10;
constexpr std::size_t kInfoReplyMax = 50;
constexpr std::uint8_t kInfoAccepted = 0x00;

// Step results that never reach the user.
constexpr const char* kOpenSuccess = "openSuccess";
constexpr const char* kCloseSuccess = "closeSuccess";
constexpr const char* kCloseError = "closeError";
constexpr const char* kSendSuccess = "sendSuccess";

ResultPair ok() { return {true, keys::kOk}; }

}  // namespace

UsbScanProcess::UsbScanProcess(const Device& scanner_, ScanCommand& scanCommand_, UsbScanTimeouts timeouts)
    : scanner(scanner_), scanCommand(scanCommand_), timeouts_(timeouts) {
  logLine("init usbscanprocess pid=" + std::to_string(scanner.PID) + " and vid = " + std::to_string(scanner.VID));
  try {
    deviceInterface.emplace(usb::createDevice(usb::VendorId(scanner.VID), usb::ProductId(scanner.PID)));
    for (auto& interface : deviceInterface->createInterfaceInterfaces()) {
      if (interface.getInterfaceNum() == kScanInterfaceNumber) interfaceInterface.emplace(std::move(interface));
    }
    if (!interfaceInterface) throw usb::QDIOException(usb::QDIOError::pluginHasNoUsbInterfaceInterface);
  } catch (const std::exception& error) {
    release();
    logLine("init usb interface error. and error is " + std::string(error.what()));
  }
}

UsbScanProcess::~UsbScanProcess() { release(); }

void UsbScanProcess::release() {
  // Resetting an empty handle does nothing, so every path may call this.
  interfaceInterface.reset();
  deviceInterface.reset();
}

ResultPair UsbScanProcess::startScan() {
  struct ReleaseOnExit {
    UsbScanProcess& run;
    ~ReleaseOnExit() { run.release(); }
  } releaser{*this};

  const ResultPair opened = openScanner();
  if (!opened.status) return opened;

  // The scanner is busy with this host from now on: whatever happens, the
  // interface is given back and the scanner closed again.
  struct CloseOnExit {
    UsbScanProcess& run;
    ~CloseOnExit() {
      try {
        if (run.interfaceInterface) run.interfaceInterface->close();
        run.closeScanner();
      } catch (...) {
        // Nothing more can be done for the scanner here.
      }
    }
  } closer{*this};

  // Claimed once for the whole job: on Linux every release hands the
  // interface back to a kernel driver and resets its alternate setting.
  try {
    interfaceInterface->open(false);
  } catch (const std::exception&) {
    logLine("open interface failed");
  }
  pips = interfaceInterface->getPipes();

  if (ResultPair result = checkPaperSource(); !result.status) {
    logLine("check paper source error");
    return result;
  }
  if (ResultPair result = sendSCommand(); !result.status) {
    logLine(" S command  sent error");
    return result;
  }
  if (ResultPair result = sendICommand(); !result.status) {
    logLine(" I command  sent error");
    return result;
  }
  // Without the X command no page comes: waiting for them would only end in
  // a time-out.
  if (ResultPair result = sendXCommand(); !result.status) return result;
  logLine("x command is sent");
  return receivePages();
}

UsbScanProcess::VendorReply UsbScanProcess::vendorRequest(std::uint8_t requestNumber) {
  VendorReply reply;
  if (!interfaceInterface) return reply;
  std::vector<std::uint8_t> area(kReplyArea, 0);
  usb::IOUSBDevRequestTO request;
  request.bmRequestType = kVendorIn;
  request.bRequest = requestNumber;
  request.wValue = kRequestValue;
  request.wIndex = 0;
  request.wLength = kReplyArea;
  request.pData = area;
  request.wLenDone = 255;
  request.noDataTimeout = kRequestNoDataMs;
  request.completionTimeout = kRequestCompletionMs;
  reply.count = interfaceInterface->sendControlRequest(request, 0);
  std::copy_n(area.begin(), reply.bytes.size(), reply.bytes.begin());
  return reply;
}

ResultPair UsbScanProcess::openScanner() {
  VendorReply reply;
  try {
    reply = vendorRequest(kOpenRequest);
  } catch (const std::exception& error) {
    release();
    logLine("open scanner error. and error is " + std::string(error.what()));
    return {false, keys::kOpenError};
  }
  logLine(device::byteList(reply.bytes));
  // A reply shorter than five bytes says nothing about byte 4.
  if (reply.is(kReady, kIdle)) return {true, kOpenSuccess};
  if (reply.is(kReady, kBusy)) return {false, keys::kScannerBusy};
  return {false, keys::kError};
}

ResultPair UsbScanProcess::closeScanner() {
  VendorReply reply;
  try {
    reply = vendorRequest(kCloseRequest);
  } catch (const std::exception& error) {
    release();
    logLine("close scanner error. and error is " + std::string(error.what()));
    return {false, kCloseError};
  }
  if (!reply.is(kReady, kIdle)) return {false, kCloseError};
  logLine("close scanner successfully");
  return {true, kCloseSuccess};
}

int UsbScanProcess::pipe(std::string_view name) const {
  const auto found = pips.find(name);
  if (found == pips.end()) throw usb::UsbError("the interface has no " + std::string(name));
  return found->second;
}

std::uint8_t UsbScanProcess::exchange(std::span<const std::uint8_t> command, std::size_t maxReply) {
  if (!interfaceInterface) throw usb::UsbError("no scanner interface");
  interfaceInterface->write(command, pipe(usb::kWritePipe), kCommandTimeout, kCommandTimeout);
  return interfaceInterface->readBytes(1, maxReply, pipe(usb::kReadPipe), kCommandTimeout, kCommandTimeout).front();
}

ResultPair UsbScanProcess::checkPaperSource() {
  std::string& source = scanCommand.param.source;
  if (source == "FB") return {true, keys::kNoNeedToCheck};
  std::uint8_t reply = 0;
  try {
    reply = exchange(scanCommand.getDCommand(), kSourceReplyMax);
  } catch (const std::exception& error) {
    logLine("check paper source error. error = " + std::string(error.what()));
    return {false, keys::kCheckPaperSourceError};
  }
  PaperSourceVerdict verdict = paperSourceVerdict(reply, source);
  source = std::move(verdict.source);
  return verdict.result;
}

ResultPair UsbScanProcess::sendSCommand() {
  std::uint8_t reply = 0;
  try {
    reply = exchange(scanCommand.getSCommand(), kSourceReplyMax);
  } catch (const std::exception& error) {
    logLine("send s command error. error = " + std::string(error.what()));
    return {false, keys::kSndSCommandError};
  }
  return sCommandVerdict(reply);
}

ResultPair UsbScanProcess::sendICommand() {
  std::uint8_t reply = 0;
  try {
    reply = exchange(scanCommand.getICommand(), kInfoReplyMax);
  } catch (const std::exception& error) {
    logLine("send I command error. error = " + std::string(error.what()));
    return {false, keys::kSndICommandError};
  }
  if (reply == kInfoAccepted) return ok();
  return {false, keys::kSndICommandError};
}

ResultPair UsbScanProcess::sendXCommand() {
  try {
    if (!interfaceInterface) throw usb::UsbError("no scanner interface");
    interfaceInterface->write(scanCommand.getXCommand(), pipe(usb::kWritePipe), kCommandTimeout, kCommandTimeout);
  } catch (const std::exception& error) {
    logLine("send X command error. error = " + std::string(error.what()));
    return {false, keys::kSndXCommandError};
  }
  return {true, kSendSuccess};
}

ResultPair UsbScanProcess::receivePages() {
  const ScanParam& param = scanCommand.param;
  const PageReaderSettings settings{timeouts_.pageNoDataMs, timeouts_.pageCompletionMs, pageLimit(param)};
  ReceivedPages received(param);
  try {
    InterfacePagePipe pagePipe(*interfaceInterface, pipe(usb::kReadPipe));
    for (;;) {
      logLine("open and perform");
      const PageTriple page = readImages(pagePipe, settings);
      if (page.isFinished) {
        if (page.pageNo == kStatusReported) return {false, failureKeyOfStatus(page.data.at(0))};
        break;
      }
      // Saved under the order of arrival: the merge and the PDF read the
      // pages 1 to n, whatever the device numbers them.
      logLine("receive page " + std::to_string(received.nextPageNo()) +
              ", device page number = " + std::to_string(page.pageNo));
      received.save(page.data);
    }
  } catch (const std::exception& error) {
    logLine(error.what());
    return {false, keys::kReceiveImagesError};
  }
  return received.finished();
}

}  // namespace scan
