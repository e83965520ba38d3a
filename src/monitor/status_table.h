#pragma once
// The printer's status codes and what the monitor shows for them.

#include <QCoreApplication>
#include <QString>

#include <map>

namespace monitor {

// What one status code means: level (1 normal, 2 warning, 3 error), a short
// message and advice (empty when none is due). Message and advice are
// string-table keys.
struct StatusEntry {
  int level = 3;
  QString message;
  QString description;

  friend bool operator==(const StatusEntry&, const StatusEntry&) = default;
};

// The message of a code the table lacks: this key, then the code.
inline constexpr char kUnknownCodeKey[] = QT_TRANSLATE_NOOP("Localizable", "错误码");

// All 57 codes the printer model reports, read-only, built on first use.
const std::map<int, StatusEntry>& KTR6620LXVStatus();

// The table's entry when printerName is exactly the supported model's name
// and the code is in the table; otherwise level 3, "错误码" followed by the
// code in decimal, and the advice to restart the device. Logs the lookup.
StatusEntry decodeStatusInfo(int code, const QString& printerName);

}  // namespace monitor
