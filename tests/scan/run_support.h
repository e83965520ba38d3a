#pragma once
// Helpers of the scan-run tests: short time-outs, small pages like a
// scanner's, the network scanner as a Device.

#include <QSize>
#include <chrono>
#include <cstdint>
#include <filesystem>
#include <string>
#include <vector>

#include "device/tcp/tcp_communicator.h"
#include "scan/scan_param.h"
#include "scan/conversation/scanner_device.h"
#include "sim/scanner/scanner_sim.h"

namespace runtest {

using Bytes = std::vector<std::uint8_t>;
using namespace std::chrono_literals;

// Short enough that a silent scanner fails a test in a moment, long enough
// that a busy machine does not fail a scan that is going well.
// `settle`: how long the stream may stay quiet inside a message the device
// has begun.
device::tcp::ChannelOptions channel(std::chrono::milliseconds read = 3000ms,
                                    std::chrono::milliseconds settle = 300ms);

// A grey or colour JPEG page showing page number `pageNo` (scantest's grid).
Bytes jpegPage(int pageNo, QSize size, bool colour = false);
// The 1-bit rows of page `pageNo` as mode "TEXT" sends them.
Bytes textPage(int pageNo, QSize size);

scan::Device networkScanner(const sim::scanner::ScannerSim& sim);

// The files in `received` are, byte for byte, those saveImages writes for
// `pages` with `param` (numbered from 1, into a folder of its own).
void expectSavedAsWritten(const scan::ScanParam& param, const std::vector<Bytes>& pages,
                          const std::filesystem::path& received);

Bytes bytesOf(const std::string& text);
std::string textOf(const Bytes& bytes);

}  // namespace runtest
