#include "scan/usb_scan_transport.h"

#include "scan/message_keys.h"

namespace scan {

// No USB scan run is built yet: a USB scan fails before it touches the device.
ResultPair runUsbScan(const Device&, ScanCommand&) { return {false, keys::kUnexpectError}; }

}  // namespace scan
