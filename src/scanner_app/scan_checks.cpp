#include "scanner_app/scan_checks.h"

#include "scan/message_keys.h"
#include "scanner_app/view_keys.h"

namespace scanner_app {

const char* scanBlocker(qsizetype scannerCount, int scannerIndex, const QString& saveDir,
                        const QString& savePrefix) {
  if (scannerIndex < 0 || scannerIndex >= scannerCount) return scan::keys::kNoScannerFound;
  if (saveDir.isEmpty()) return keys::kNoSaveDir;
  if (savePrefix.isEmpty()) return keys::kNoSaveFileName;
  return nullptr;
}

}  // namespace scanner_app
