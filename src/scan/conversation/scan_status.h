#pragma once
// The scan status byte a device sends in place of a reply or page data, and
// the string-table key each known byte stands for.

#include <QtGlobal>
#include <array>
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

namespace scan {

struct ScanStatusRow {
  int byte;
  std::string_view key;
};

inline constexpr int kScanFinished = 0x80;

inline constexpr std::array<ScanStatusRow, 13> ScanStatus{{
    {0x80, QT_TRANSLATE_NOOP("Localizable", "scanFinished")},
    {0x83, QT_TRANSLATE_NOOP("Localizable", "forceInterruptByCommadR")},
    {0x86, QT_TRANSLATE_NOOP("Localizable", "stoppedByDeviceKey")},
    {0xC2, QT_TRANSLATE_NOOP("Localizable", "noPaperInADF")},
    {0xC3, QT_TRANSLATE_NOOP("Localizable", "paperJunck")},
    {0xC4, QT_TRANSLATE_NOOP("Localizable", "upperDoorOpen")},
    {0xC5, QT_TRANSLATE_NOOP("Localizable", "cannotScannerByICommandC5")},
    {0xC6, QT_TRANSLATE_NOOP("Localizable", "scannerMemoryFull")},
    {0xD0, QT_TRANSLATE_NOOP("Localizable", "commandXSyntaxError")},
    {0xE2, QT_TRANSLATE_NOOP("Localizable", "paperTooLong")},
    {0xE4, QT_TRANSLATE_NOOP("Localizable", "runPaperFailed")},
    {0xE7, QT_TRANSLATE_NOOP("Localizable", "resetFailed")},
    {0xE9, QT_TRANSLATE_NOOP("Localizable", "pushOutPaperFailed")},
}};

// The key of a byte of the table; nothing for any other byte.
std::optional<std::string_view> scanStatusKey(int byte);

// The key a scan fails with when the device sends `byte` as its status: the
// table's key, or "unexpectError" for a byte the table lacks, whose value is
// then logged so the cause is not lost.
std::string failureKeyOfStatus(int byte);

}  // namespace scan
