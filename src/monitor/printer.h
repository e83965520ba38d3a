#pragma once
// A printer that discovery found, as the printer list shows it and the poll
// addresses it.

#include <QHashFunctions>
#include <QMetaType>
#include <QString>
#include <QUuid>
#include <QtGlobal>

namespace monitor {

// A found printer's type: how it is attached.
inline const QString kUsbType = QStringLiteral("USB");
inline const QString kNetType = QStringLiteral("Net");

// The placeholder's vendor ID, one that discovery never matches.
inline constexpr quint16 kPlaceholderVendorId = 27417;

struct Printer {
  Q_GADGET
  Q_PROPERTY(QUuid id MEMBER id)
  Q_PROPERTY(QString name MEMBER name)
  Q_PROPERTY(QString label MEMBER label)
  Q_PROPERTY(QString type MEMBER type)
  Q_PROPERTY(QString ip MEMBER ip)
  Q_PROPERTY(quint16 PID MEMBER PID)
  Q_PROPERTY(quint16 VID MEMBER VID)

 public:
  // Each construction draws a new id, so two records built for the same
  // device (by two discovery runs) never compare equal; a copy does.
  Printer(QString printerName, QString printerLabel, QString printerType, QString address, quint16 productId,
          quint16 vendorId);
  // The placeholder that stands for "no printer" when the name is empty:
  // no label, type or address, PID 0 and a vendor ID (0x6B19) that
  // discovery never matches.
  explicit Printer(QString printerName = {});

  QUuid id;
  QString name;   // the supported model's name; chooses the status table
  QString label;  // name + "(USB)", or name + "(" + ip + ")"
  QString type;   // "USB", "Net", or empty for the placeholder
  QString ip;     // dotted IPv4 text for "Net"
  quint16 PID = 0;
  quint16 VID = 0;

  friend bool operator==(const Printer&, const Printer&) = default;
};

size_t qHash(const Printer& printer, size_t seed = 0) noexcept;

}  // namespace monitor
