#include "scan/conversation/scan_status.h"

#include "device/common/log.h"
#include "scan/message_keys.h"

namespace scan {

std::optional<std::string_view> scanStatusKey(int byte) {
  for (const ScanStatusRow& row : ScanStatus) {
    if (row.byte == byte) return row.key;
  }
  return std::nullopt;
}

std::string failureKeyOfStatus(int byte) {
  if (const auto key = scanStatusKey(byte)) return std::string(*key);
  device::logLine("unknown scan status = " + std::to_string(byte));
  return keys::kUnexpectError;
}

}  // namespace scan
