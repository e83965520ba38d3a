#pragma once
// One scan with a scanner attached by USB: the open request on the default
// pipe, the D, S, I and X commands on the bulk pipes of the device's
// interface 1, the pages as they arrive, each saved at once, and the close
// request.

#include <array>
#include <cstdint>
#include <optional>
#include <span>
#include <string>

#include "device/usb/device_handle.h"
#include "device/usb/interface_handle.h"
#include "device/usb/pipes.h"
#include "scan/result.h"
#include "scan/conversation/scan_command.h"
#include "scan/conversation/scanner_device.h"

namespace scan {

// How long the page reads wait: each read up to 30 s without data and 60 s
// in all, while the scanner feeds and scans. Tests give short ones.
struct UsbScanTimeouts {
  std::uint32_t pageNoDataMs = 30000;
  std::uint32_t pageCompletionMs = 60000;
};

class UsbScanProcess {
 public:
  // Finds the device by the scanner's vendor and product ID and keeps its
  // interface number 1; a failure is only logged (startScan then answers
  // "error"). The command builder is shared with the caller, which sees the
  // resolved paper source afterwards.
  UsbScanProcess(const Device& scanner, ScanCommand& scanCommand, UsbScanTimeouts timeouts = {});
  UsbScanProcess(const UsbScanProcess&) = delete;
  UsbScanProcess& operator=(const UsbScanProcess&) = delete;
  ~UsbScanProcess();

  // The whole scan. Once the scanner has accepted the open request the close
  // request follows on every way out, and the interface is claimed from the
  // commands to the end. (true, the page count) or (false, a string-table
  // key).
  ResultPair startScan();

 private:
  ResultPair openScanner();
  ResultPair closeScanner();
  ResultPair checkPaperSource();
  ResultPair sendSCommand();
  ResultPair sendICommand();
  ResultPair sendXCommand();
  ResultPair receivePages();
  void release();

  // The first five bytes of the open (1) or close (2) request's reply, zero
  // where nothing came, and how many came; throws what the request throws.
  struct VendorReply {
    std::array<std::uint8_t, 5> bytes{};
    std::uint32_t count = 0;
    bool is(std::uint8_t first, std::uint8_t last) const {
      return count >= bytes.size() && bytes[0] == first && bytes[4] == last;
    }
  };
  VendorReply vendorRequest(std::uint8_t request);
  // One command and its reply's first byte; throws what the pipes throw.
  std::uint8_t exchange(std::span<const std::uint8_t> command, std::size_t maxReply);
  int pipe(std::string_view name) const;

  Device scanner;
  ScanCommand& scanCommand;
  UsbScanTimeouts timeouts_;
  std::optional<device::usb::DeviceHandle> deviceInterface;
  std::optional<device::usb::InterfaceHandle> interfaceInterface;
  device::usb::PipeMap pips;
};

}  // namespace scan
