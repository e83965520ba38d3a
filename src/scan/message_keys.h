#pragma once
// The string-table keys the scan engine hands up as alert titles and
// messages. Each is marked for lupdate in the "Localizable" context, the one
// the scanner model looks its texts up in.

#include <QtGlobal>

namespace scan::keys {

// Alert titles and the parts of the success message.
inline constexpr const char* kError = QT_TRANSLATE_NOOP("Localizable", "error");
inline constexpr const char* kInfo = QT_TRANSLATE_NOOP("Localizable", "info");
inline constexpr const char* kScanPages = QT_TRANSLATE_NOOP("Localizable", "scanPages");
inline constexpr const char* kPages = QT_TRANSLATE_NOOP("Localizable", "pages");
inline constexpr const char* kOk = QT_TRANSLATE_NOOP("Localizable", "ok");

// Discovery and the receive folder.
inline constexpr const char* kNoScannerFound = QT_TRANSLATE_NOOP("Localizable", "noScannerFound");
inline constexpr const char* kCannotCreateReceiveDir =
    QT_TRANSLATE_NOOP("Localizable", "cannotCreateReceiveDir");
inline constexpr const char* kInvalidSaveFileName =
    QT_TRANSLATE_NOOP("Localizable", "invalidSaveFileName");

// Steps of a scan run (both transports).
inline constexpr const char* kNoNeedToCheck = QT_TRANSLATE_NOOP("Localizable", "noNeedToCheck");
inline constexpr const char* kCheckScannerError = QT_TRANSLATE_NOOP("Localizable", "checkScannerError");
inline constexpr const char* kScannerNetworkError =
    QT_TRANSLATE_NOOP("Localizable", "scannerNetworkError");
inline constexpr const char* kNoPaperInADF = QT_TRANSLATE_NOOP("Localizable", "noPaperInADF");
inline constexpr const char* kPaperSourceNotExist =
    QT_TRANSLATE_NOOP("Localizable", "paperSourceNotExist");
inline constexpr const char* kCannotChekPaperSource =
    QT_TRANSLATE_NOOP("Localizable", "cannotChekPaperSource");
inline constexpr const char* kUnexpectError = QT_TRANSLATE_NOOP("Localizable", "unexpectError");
inline constexpr const char* kSaveImageError = QT_TRANSLATE_NOOP("Localizable", "saveImageError");
// Behind a broken page stream's failure text: "%1" the number of complete
// pages kept, "%2" the folder they are in.
inline constexpr const char* kPagesKept = QT_TRANSLATE_NOOP("Localizable", "pagesKept");

// Steps of the USB scan run.
inline constexpr const char* kCheckPaperSourceError =
    QT_TRANSLATE_NOOP("Localizable", "checkPaperSourceError");
inline constexpr const char* kScannerBusy = QT_TRANSLATE_NOOP("Localizable", "scannerBusy");
inline constexpr const char* kOpenError = QT_TRANSLATE_NOOP("Localizable", "openError");
inline constexpr const char* kSndSCommandError = QT_TRANSLATE_NOOP("Localizable", "sndSCommandError");
inline constexpr const char* kSndICommandError = QT_TRANSLATE_NOOP("Localizable", "sndICommandError");
inline constexpr const char* kSndXCommandError = QT_TRANSLATE_NOOP("Localizable", "sndXCommandError");
inline constexpr const char* kReceiveImagesError =
    QT_TRANSLATE_NOOP("Localizable", "receiveImagesError");

}  // namespace scan::keys
