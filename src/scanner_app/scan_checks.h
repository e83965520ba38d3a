#pragma once
// The checks the scan button makes before it hands a scan to the model.

#include <QString>
#include <QtGlobal>

namespace scanner_app {

// The message key of the first check that fails, in this order: no scanner
// at the picker's position ("noScannerFound": the list is empty, or a
// refresh left the position beyond its end), no save folder ("noSaveDir"),
// no file-name prefix ("noSaveFileName"). Nothing when a scan can start.
// Only emptiness is checked; the model judges the folder and the prefix.
const char* scanBlocker(qsizetype scannerCount, int scannerIndex, const QString& saveDir,
                        const QString& savePrefix);

}  // namespace scanner_app
