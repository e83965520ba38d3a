#include "monitor/wifi_fields.h"

#include <algorithm>

#include "monitor/wifi_replies.h"

namespace monitor::wifi {
namespace {

QString lineFor(const QStringList& lines, FieldList fields, Field field) {
  const std::optional<qsizetype> line = lineOf(fields, field);
  return line ? lines.value(*line) : QString();
}

template <typename ValueOf>
QStringList inOrder(FieldList fields, ValueOf valueOf) {
  QStringList values;
  for (const Field field : fields) {
    values.append(valueOf(field));
  }
  return values;
}

// The address fields, which both modes hold alike.
template <typename Record>
void readAddress(const QStringList& lines, FieldList fields, Record& record) {
  record.ip = lineFor(lines, fields, Field::Address);
  record.mask = lineFor(lines, fields, Field::Mask);
  record.gateway = lineFor(lines, fields, Field::Gateway);
}

// What the set commands send for each field. Every switch names every field
// and has no default, so a field added to the enum is a compiler warning
// (an error with -Werror) until each record says what it sends for it. A
// field the record does not hold sends an empty line; the lists name only
// fields their record holds, which the tests check line by line.
QString apValue(const APSetting& record, Field field) {
  switch (field) {
    case Field::NetworkName:
      return record.APName;
    case Field::EncryptMode:
      return QString::number(record.encryptMode);
    case Field::Password:
      return record.APPassword;
    case Field::AddressType:
      return QStringLiteral("S");
    case Field::Address:
      return record.ip;
    case Field::Mask:
      return record.mask;
    case Field::Gateway:
      return record.gateway;
  }
  return QString();
}

QString clientModeValue(const ClietModeSetting& record, const QString& networkName, Field field) {
  switch (field) {
    case Field::NetworkName:
      return networkName;
    case Field::EncryptMode:
      return QString();  // client mode takes the network's own encryption
    case Field::Password:
      return record.WifiPassword;
    case Field::AddressType:
      return record.ipSetType;
    case Field::Address:
      return record.ip;
    case Field::Mask:
      return record.mask;
    case Field::Gateway:
      return record.gateway;
  }
  return QString();
}

}  // namespace

std::optional<qsizetype> lineOf(FieldList fields, Field field) {
  const auto found = std::find(fields.begin(), fields.end(), field);
  if (found == fields.end()) {
    return std::nullopt;
  }
  return found - fields.begin();
}

APSetting apSettingFrom(const QStringList& lines) {
  APSetting record;
  record.APName = nameAfterSemicolon(lineFor(lines, kApReplyFields, Field::NetworkName));
  record.encryptMode = lineFor(lines, kApReplyFields, Field::EncryptMode) == QLatin1String("6") ? 1 : 0;
  record.APPassword = lineFor(lines, kApReplyFields, Field::Password);
  readAddress(lines, kApReplyFields, record);
  return record;
}

ClietModeSetting clientModeSettingFrom(const QStringList& lines, const ClietModeSetting& current) {
  ClietModeSetting record = current;
  record.WifiName = nameAfterSemicolon(lineFor(lines, kClientModeFields, Field::NetworkName));
  record.WifiPassword = lineFor(lines, kClientModeFields, Field::Password);
  record.ipSetType = lineFor(lines, kClientModeFields, Field::AddressType);
  readAddress(lines, kClientModeFields, record);
  return record;
}

QStringList apSetFields(const APSetting& record) {
  return inOrder(kApSetFields, [&record](Field field) { return apValue(record, field); });
}

QStringList clientModeSetFields(const ClietModeSetting& record, const QString& networkName) {
  return inOrder(kClientModeFields,
                 [&](Field field) { return clientModeValue(record, networkName, field); });
}

QString withPasswordHidden(FieldList fields, const QString& text) {
  const std::optional<qsizetype> secret = lineOf(fields, Field::Password);
  QStringList lines = replyLines(text);
  if (!secret || *secret >= lines.size()) {
    return text;
  }
  lines[*secret] = QStringLiteral("***");
  return lines.join(QStringLiteral("\r\n"));
}

}  // namespace monitor::wifi
