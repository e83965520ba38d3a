#pragma once
// What the Wi-Fi settings forms show for the model's values and send back:
// picker rows, icons, the password a hot-spot pick brings back. Pure
// functions.

#include <QList>
#include <QString>

#include "monitor/wifi_settings.h"

namespace monitor_app {

// Encryption picker rows: "不加密" and "WAP2PSK_AES".
inline constexpr int kNoEncryptionRow = 0;
inline constexpr int kWpa2Row = 1;

// The row for the model's encryptMode: 0 is no encryption, any other value
// (1 as read, 6 as written before a set) is WPA2.
int encryptionRowFor(int encryptMode);
// The encryptMode a set sends for a row: 0, or 6.
int encryptModeFor(int row);

// Addressing picker rows: "DHCP" and "手动设置".
inline constexpr int kDhcpRow = 0;
inline constexpr int kManualRow = 1;

// Manual only for exactly "S"; the model's initial "Manual", "D", "s" and
// anything else open on DHCP.
int ipSetTypeRowFor(const QString& ipSetType);

// The picture that stands for a hot spot's signal level: "custom.wifi.weak"
// up to 2, "custom.wifi.medium" for 3 and 4, "custom.wifi.strong" from 5.
QString signalIconName(int signalDB);

// The password field after the user picks the hot spot at `position`: the
// stored password when it is the configured network (exact name match),
// empty otherwise (also for a position outside the list).
QString passwordAfterPick(const QList<monitor::HotSpot>& hotSpots, int position,
                          const monitor::ClietModeSetting& stored);

// The picker's row for the stored position, or -1 (no choice) when it names
// no hot spot of the list.
int hotSpotRowFor(const QList<monitor::HotSpot>& hotSpots, int orderInList);

}  // namespace monitor_app
