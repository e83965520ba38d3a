#include "scan/conversation/usb_scan_transport.h"

#include "scan/conversation/usb_scan_process.h"

namespace scan {

ResultPair runUsbScan(const Device& scanner, ScanCommand& scanCommand) {
  return UsbScanProcess(scanner, scanCommand).startScan();
}

}  // namespace scan
