#include "device/usb/text_command.h"

#include <string>

#include "device/usb/device_handle.h"
#include "device/usb/errors.h"
#include "device/common/log.h"
#include "device/common/main_queue.h"
#include "device/common/utf8.h"

namespace device::usb {
namespace {

int pipeFor(const PipeMap& pipes, std::string_view key) {
  const auto found = pipes.find(key);
  if (found == pipes.end()) {
    throw UsbError("interface has no " + std::string(key));
  }
  return found->second;
}

}  // namespace

std::optional<std::string> usbInteraction(std::string_view cmd, ProductId PID, VendorId VID,
                                          const LogText& shown) {
  const std::string command(cmd);
  const auto forLog = [&shown](std::string_view text) { return shown ? shown(text) : std::string(text); };
  const std::string logged = forLog(command);
  logLine("run in usbInteraction and cmd = " + logged);
  try {
    const DeviceHandle device = createDevice(VID, PID);
    InterfaceHandle interface = device.createInterfaceInterface();
    std::optional<std::string> result;
    interface.openAndPerform(false, [&] {
      const PipeMap pipes = interface.getPipes();
      const int writePipe = pipeFor(pipes, kWritePipe);
      const int readPipe = pipeFor(pipes, kReadPipe);
      interface.write(bytesOf(command), writePipe);
      logLine("usb commucation: write cmd = " + logged);
      const auto reply = interface.readBytes(kTextReplyMinBytes, kTextReplyMaxBytes, readPipe);
      result = decodeUtf8(reply);
      logLine("run in usbInteraction and cmd = " + logged + " and receivedMessage =  " +
              (result ? forLog(*result) : std::string("nil")));
    });
    return result;
  } catch (const std::exception&) {
    // Written once the caller's current work is done, after the lines the
    // caller writes on the same failure.
    onMainQueue([] { logLine("function getIPInfoByUSB throws error"); });
    return std::nullopt;
  }
}

}  // namespace device::usb
