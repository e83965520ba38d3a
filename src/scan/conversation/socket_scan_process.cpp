#include "scan/conversation/socket_scan_process.h"

#include <string>

#include "device/common/log.h"
#include "device/common/utf8.h"
#include "scan/conversation/command_replies.h"
#include "scan/message_keys.h"
#include "scan/conversation/page_receiver.h"
#include "scan/conversation/scan_channel.h"
#include "scan/conversation/scan_status.h"

namespace scan {
namespace {

using device::logLine;

constexpr std::string_view kGreeting = "0001";

ResultPair ok() { return {true, keys::kOk}; }
ResultPair networkError() { return {false, keys::kScannerNetworkError}; }

}  // namespace

device::tcp::ChannelOptions scanChannelOptions() {
  device::tcp::ChannelOptions options;
  options.connectTimeout = std::chrono::seconds(5);
  options.ioTimeout = std::chrono::seconds(60);
  options.settleTime = std::chrono::milliseconds(300);
  return options;
}

SocketScanProcess::SocketScanProcess(Device scanner_, ScanCommand& scanCommand_,
                                     device::tcp::ChannelOptions options)
    : socket(scanner_.ip, kScanPort, options), scanner(std::move(scanner_)), scanCommand(scanCommand_) {}

std::optional<std::uint8_t> SocketScanProcess::exchange(std::span<const std::uint8_t> command) {
  if (!sendCmd(socket, command)) return std::nullopt;
  const auto answer = receiveResponse(socket);
  if (!answer) return std::nullopt;
  return (*answer)[0];
}

ResultPair SocketScanProcess::startScan() {
  struct CloseOnExit {
    SocketScanProcess& run;
    ~CloseOnExit() { run.closeScanner(); }
  } closer{*this};
  for (auto step : {&SocketScanProcess::checkScanner, &SocketScanProcess::checkPaperSource,
                    &SocketScanProcess::sendSCommand, &SocketScanProcess::sendICommand}) {
    if (const ResultPair result = (this->*step)(); !result.status) return result;
  }
  if (!sendXCommand()) return networkError();
  return receiveImages(socket, scanCommand.param);
}

ResultPair SocketScanProcess::checkScanner() {
  socket.connect();
  // A device busy with a job or waking from sleep greets late.
  const auto greeting = receiveGreeting(socket, kGreeting);
  if (!greeting) return networkError();
  const auto text = device::decodeUtf8(std::span(*greeting).first(kGreeting.size()));
  logLine("check scanner validate info = " + text.value_or(""));
  if (text == kGreeting) return ok();
  return {false, keys::kCheckScannerError};
}

ResultPair SocketScanProcess::checkPaperSource() {
  ScanParam& param = scanCommand.param;
  if (param.source == "FB") return {true, keys::kNoNeedToCheck};
  const auto byte = exchange(scanCommand.getDCommand());
  if (!byte) return networkError();
  logLine("check paper source. ret = " + std::to_string(*byte));
  PaperSourceVerdict verdict = paperSourceVerdict(*byte, param.source);
  param.source = std::move(verdict.source);
  return verdict.result;
}

ResultPair SocketScanProcess::sendSCommand() {
  const auto byte = exchange(scanCommand.getSCommand());
  if (!byte) return networkError();
  return sCommandVerdict(*byte);
}

ResultPair SocketScanProcess::sendICommand() {
  // The reply is not examined; that one came is enough.
  if (!exchange(scanCommand.getICommand())) return networkError();
  return ok();
}

bool SocketScanProcess::sendXCommand() { return sendCmd(socket, scanCommand.getXCommand()); }

void SocketScanProcess::closeScanner() { socket.disconnect(); }

}  // namespace scan
