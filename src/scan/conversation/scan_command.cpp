#include "scan/conversation/scan_command.h"

#include <algorithm>
#include <cmath>
#include <string>
#include <string_view>

#include "device/common/log.h"

namespace scan {
namespace {

constexpr std::uint8_t kEsc = 0x1B;
constexpr std::uint8_t kLf = 0x0A;
// U+0080 in UTF-8: the D, S and I commands end with it, the X command in mode
// "TEXT" with the single byte 0x80 instead.
constexpr std::array<std::uint8_t, 2> kEndMark{0xC2, 0x80};
constexpr std::uint8_t kGammaEnd = 0x80;

void append(std::vector<std::uint8_t>& bytes, std::string_view text) {
  bytes.insert(bytes.end(), text.begin(), text.end());
}

void appendLine(std::vector<std::uint8_t>& bytes, std::string_view text) {
  append(bytes, text);
  bytes.push_back(kLf);
}

std::vector<std::uint8_t> opening(char letter) { return {kEsc, static_cast<std::uint8_t>(letter), kLf}; }

std::vector<std::uint8_t> sourceCommand(char letter, const std::string& source) {
  auto bytes = opening(letter);
  appendLine(bytes, source);
  bytes.insert(bytes.end(), kEndMark.begin(), kEndMark.end());
  return bytes;
}

}  // namespace

std::array<std::uint8_t, 256> gammaTable(std::int64_t gamma) {
  std::array<std::uint8_t, 256> table{};
  const double exponent = 1.0 / static_cast<double>(std::max<std::int64_t>(gamma, 1));
  for (std::size_t i = 0; i < table.size(); ++i) {
    const double value = 255.0 * std::pow(static_cast<double>(i) / 255.0, exponent);
    table[i] = static_cast<std::uint8_t>(std::clamp(std::trunc(value), 0.0, 255.0));
  }
  return table;
}

std::vector<std::uint8_t> ScanCommand::getDCommand() const {
  device::logLine("selected source = " + param.source);
  return sourceCommand('D', param.source);
}

std::vector<std::uint8_t> ScanCommand::getSCommand() const { return sourceCommand('S', param.source); }

std::vector<std::uint8_t> ScanCommand::getICommand() const {
  auto bytes = opening('I');
  appendLine(bytes, "R=" + param.resolution);
  appendLine(bytes, "M=" + param.mode);
  appendLine(bytes, "D=" + param.duplex);
  bytes.insert(bytes.end(), kEndMark.begin(), kEndMark.end());
  return bytes;
}

std::vector<std::uint8_t> ScanCommand::getXCommand() const {
  const bool idCard = param.combineType == kIDCard;
  auto bytes = opening('X');
  appendLine(bytes, "R=" + param.resolution);
  appendLine(bytes, "M=" + param.mode);
  appendLine(bytes, "T=" + param.type);
  appendLine(bytes, "C=" + param.compression);
  appendLine(bytes, "J=" + param.compressRatio);
  appendLine(bytes, "B=" + param.brightness);
  appendLine(bytes, "N=" + param.contrast);
  appendLine(bytes, "A=" + std::to_string(param.x) + "," + std::to_string(param.y) + "," +
                        std::to_string(param.w) + "," + std::to_string(pageRows(param)));
  appendLine(bytes, "D=" + param.duplex);
  if (param.combineType != kNoCombine) appendLine(bytes, "Pages=2");
  appendLine(bytes, idCard ? "IDCard=1" : "IDCard=0");
  device::logLine("cmd = " + std::string(bytes.begin(), bytes.end()));
  if (param.mode == kModeText) {
    append(bytes, "GAMA=");
    const auto table = gammaTable(param.gamma);
    bytes.insert(bytes.end(), table.begin(), table.end());
    bytes.push_back(kGammaEnd);
  }
  return bytes;
}

}  // namespace scan
