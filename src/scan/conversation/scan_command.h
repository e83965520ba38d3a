#pragma once
// The command side of the scan protocol: the D (check paper source), S
// (select source), I (scan information) and X (scan job) commands, as the
// bytes that go to the device on either transport.

#include <array>
#include <cstdint>
#include <vector>

#include "scan/scan_param.h"

namespace scan {

// 256 entries: 255 * (i / 255) ^ (1 / gamma), fraction dropped; the identity
// for gamma 1. A gamma of 0 or below has no such curve and is taken as 1.
std::array<std::uint8_t, 256> gammaTable(std::int64_t gamma);

// One scan's command builder. The scan run holds the object the scanner
// model made and rewrites param.source in it after the paper-source check,
// so the commands built later carry the resolved source.
class ScanCommand {
 public:
  explicit ScanCommand(ScanParam scanParam) : param(std::move(scanParam)) {}

  void setScanParam(ScanParam value) { param = std::move(value); }

  // ESC "D" LF source LF C2 80. Logs "selected source = " and the source.
  std::vector<std::uint8_t> getDCommand() const;
  // ESC "S" LF source LF C2 80.
  std::vector<std::uint8_t> getSCommand() const;
  // ESC "I" LF "R=" resolution LF "M=" mode LF "D=" duplex LF C2 80.
  std::vector<std::uint8_t> getICommand() const;
  // ESC "X" LF and the job's lines, each closed by LF; in mode "TEXT"
  // followed by "GAMA=", the 256 gamma table bytes and the single byte 0x80.
  // Logs "cmd = " and the text before "GAMA=".
  std::vector<std::uint8_t> getXCommand() const;

  ScanParam param;
};

}  // namespace scan
