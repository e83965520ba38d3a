#pragma once
// How a scan reaches a scanner attached by USB. The scanner model calls the
// transport once per USB scan with the selected scanner and the scan's
// command builder (whose param.source the run may rewrite after the paper
// check); the transport writes every page with saveImages as it arrives and
// answers the scan's result pair: on success the page count as decimal text,
// on failure a string-table key.

#include <functional>

#include "scan/result.h"
#include "scan/conversation/scan_command.h"
#include "scan/conversation/scanner_device.h"

namespace scan {

using UsbScanTransport = std::function<ResultPair(const Device& scanner, ScanCommand& scanCommand)>;

// The application's USB scan run.
ResultPair runUsbScan(const Device& scanner, ScanCommand& scanCommand);

}  // namespace scan
