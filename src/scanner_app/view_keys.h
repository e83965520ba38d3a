#pragma once
// The string-table keys of the settings screen (context "Localizable", the
// one the scanner model looks its alert texts up in). The option texts of
// the pickers are the entries of the scan engine's option lists themselves.

#include <QtGlobal>

namespace scanner_app::keys {

// Row labels, in the order of the screen.
inline constexpr const char* kScanner = QT_TRANSLATE_NOOP("Localizable", "scanner");
inline constexpr const char* kScanSource = QT_TRANSLATE_NOOP("Localizable", "scanSource");
inline constexpr const char* kColorMode = QT_TRANSLATE_NOOP("Localizable", "colorMode");
inline constexpr const char* kContentType = QT_TRANSLATE_NOOP("Localizable", "contenType");
inline constexpr const char* kResolution = QT_TRANSLATE_NOOP("Localizable", "resolution");
inline constexpr const char* kCombineType = QT_TRANSLATE_NOOP("Localizable", "combineType");
inline constexpr const char* kPageSize = QT_TRANSLATE_NOOP("Localizable", "pageSize");
inline constexpr const char* kSaveFileType = QT_TRANSLATE_NOOP("Localizable", "saveFileType");
inline constexpr const char* kRotateAngle = QT_TRANSLATE_NOOP("Localizable", "rotateAngle");
inline constexpr const char* kSaveFileName = QT_TRANSLATE_NOOP("Localizable", "saveFileName");
inline constexpr const char* kSaveTo = QT_TRANSLATE_NOOP("Localizable", "saveTo");

// Buttons.
inline constexpr const char* kRefreshScanner = QT_TRANSLATE_NOOP("Localizable", "refreshScanner");
inline constexpr const char* kBrowser = QT_TRANSLATE_NOOP("Localizable", "browser");
inline constexpr const char* kScan = QT_TRANSLATE_NOOP("Localizable", "scan");

// The file-type picker's rows and the rotation picker's rows.
inline constexpr const char* kJpeg = QT_TRANSLATE_NOOP("Localizable", "JPEG");
inline constexpr const char* kBmp = QT_TRANSLATE_NOOP("Localizable", "BMP");
inline constexpr const char* kPdf = QT_TRANSLATE_NOOP("Localizable", "PDF");
inline constexpr const char* kRotations[] = {QT_TRANSLATE_NOOP("Localizable", "0"),
                                             QT_TRANSLATE_NOOP("Localizable", "90"),
                                             QT_TRANSLATE_NOOP("Localizable", "180")};

// The scan button's checks.
inline constexpr const char* kNoSaveDir = QT_TRANSLATE_NOOP("Localizable", "noSaveDir");
inline constexpr const char* kNoSaveFileName = QT_TRANSLATE_NOOP("Localizable", "noSaveFileName");

}  // namespace scanner_app::keys
