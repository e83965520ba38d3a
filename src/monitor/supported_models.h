#pragma once
// The printer models this monitor knows: found printers take their name from
// the row that matched them.

#include <QList>
#include <QString>
#include <QtGlobal>

namespace monitor {

struct BRELPrinter {
  QString printerName;  // given to the printers found
  QString oid;          // a network device's sysObjectID text must contain it
  quint16 PID = 0;      // USB product ID under vendor ID 0x5A3E
};

// Read-only, built once on first use: one row, "KTR6620LXV" /
// "48117.4.7.1.8" / 52.
const QList<BRELPrinter>& BRELPrinterList();

}  // namespace monitor
