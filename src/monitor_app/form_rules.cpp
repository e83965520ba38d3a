#include "monitor_app/form_rules.h"

namespace monitor_app {

int encryptionRowFor(int encryptMode) { return encryptMode == 0 ? kNoEncryptionRow : kWpa2Row; }

int encryptModeFor(int row) { return row == kNoEncryptionRow ? 0 : 6; }

int ipSetTypeRowFor(const QString& ipSetType) {
  return ipSetType == QLatin1String("S") ? kManualRow : kDhcpRow;
}

QString signalIconName(int signalDB) {
  if (signalDB <= 2) {
    return QStringLiteral("custom.wifi.weak");
  }
  if (signalDB <= 4) {
    return QStringLiteral("custom.wifi.medium");
  }
  return QStringLiteral("custom.wifi.strong");
}

QString passwordAfterPick(const QList<monitor::HotSpot>& hotSpots, int position,
                          const monitor::ClietModeSetting& stored) {
  if (position < 0 || position >= hotSpots.size()) {
    return {};
  }
  return hotSpots.at(position).name == stored.WifiName ? stored.WifiPassword : QString();
}

int hotSpotRowFor(const QList<monitor::HotSpot>& hotSpots, int orderInList) {
  return orderInList >= 0 && orderInList < hotSpots.size() ? orderInList : -1;
}

}  // namespace monitor_app
