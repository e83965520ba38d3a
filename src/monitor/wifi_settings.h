#pragma once
// The printer's Wi-Fi settings as the network model holds them and the
// settings forms edit them.

#include <QHashFunctions>
#include <QMetaType>
#include <QString>

namespace monitor {

// One network the printer sees.
struct HotSpot {
  Q_GADGET
  Q_PROPERTY(int id MEMBER id)
  Q_PROPERTY(QString name MEMBER name)
  Q_PROPERTY(int signalDB MEMBER signalDB)

 public:
  int id = 0;        // position among the entries of the last list, from 0
  QString name;      // as the printer reports it
  int signalDB = 0;  // one decimal digit; larger is stronger

  friend bool operator==(const HotSpot&, const HotSpot&) = default;
};

size_t qHash(const HotSpot& hotSpot, size_t seed = 0) noexcept;

// The printer's own access point.
struct APSetting {
  Q_GADGET
  Q_PROPERTY(QString APName MEMBER APName)
  Q_PROPERTY(int encryptMode MEMBER encryptMode)
  Q_PROPERTY(QString APPassword MEMBER APPassword)
  Q_PROPERTY(QString ip MEMBER ip)
  Q_PROPERTY(QString mask MEMBER mask)
  Q_PROPERTY(QString gateway MEMBER gateway)

 public:
  QString APName;
  // Read: 1 when the printer reports "6", else 0. Sent: as decimal text
  // (the form stores 0 or 6 before sending).
  int encryptMode = 1;
  QString APPassword;
  QString ip;
  QString mask;
  QString gateway;
};

// The printer's client (station) mode.
struct ClietModeSetting {
  Q_GADGET
  Q_PROPERTY(QString WifiName MEMBER WifiName)
  Q_PROPERTY(QString WifiPassword MEMBER WifiPassword)
  Q_PROPERTY(int orderInList MEMBER orderInList)
  Q_PROPERTY(QString ipSetType MEMBER ipSetType)
  Q_PROPERTY(QString ip MEMBER ip)
  Q_PROPERTY(QString mask MEMBER mask)
  Q_PROPERTY(QString gateway MEMBER gateway)

 public:
  QString WifiName;
  QString WifiPassword;
  int orderInList = 0;           // index into the hot-spot list of the network to join
  QString ipSetType = "Manual";  // as the printer reports it; the form writes "S" or "D"
  QString ip;
  QString mask;
  QString gateway;
};

}  // namespace monitor
