#pragma once
// Where each setting stands in the Wi-Fi commands and in their replies: one
// "\r\n"-separated line per field, in the order the printer reads and
// writes them. The set commands, the reply parsers and the log's mask all
// take the places from these lists, so a field moved or added in one list
// moves everywhere, the hidden password line included. Pure functions.

#include <QString>
#include <QStringList>

#include <optional>
#include <span>

#include "monitor/wifi_settings.h"

namespace monitor::wifi {

enum class Field { NetworkName, EncryptMode, Password, AddressType, Address, Mask, Gateway };

using FieldList = std::span<const Field>;

// What "CheckwifiAP?" answers: the first line holds the code, ";" and the
// name.
inline constexpr Field kApReplyFields[] = {Field::NetworkName, Field::EncryptMode, Field::Password,
                                           Field::Address,     Field::Mask,        Field::Gateway};
// What "SetwifiAP=" takes: the same, with the address type before the
// address.
inline constexpr Field kApSetFields[] = {Field::NetworkName, Field::EncryptMode, Field::Password, Field::AddressType,
                                         Field::Address,     Field::Mask,        Field::Gateway};
// What "CheckwifiSTA?" answers and "SetwifiSTA=" takes, in one order.
inline constexpr Field kClientModeFields[] = {Field::NetworkName, Field::Password, Field::AddressType,
                                              Field::Address,     Field::Mask,     Field::Gateway};

// The field's line in the list; none when the list lacks it.
std::optional<qsizetype> lineOf(FieldList fields, Field field);

// The access point's settings from the lines of a "CheckwifiAP?" reply that
// has a line for every field: the name after the first line's ";", the
// encryption 1 for "6" and 0 otherwise, the rest as they stand.
APSetting apSettingFrom(const QStringList& lines);
// The client mode's settings from the lines of a "CheckwifiSTA?" reply, the
// same way; the position in the hot-spot list is taken from `current`.
ClietModeSetting clientModeSettingFrom(const QStringList& lines, const ClietModeSetting& current);

// The fields of "SetwifiAP=" for the record, the address type "S" (static).
QStringList apSetFields(const APSetting& record);
// The fields of "SetwifiSTA=" for the record, with the name of the network
// to join.
QStringList clientModeSetFields(const ClietModeSetting& record, const QString& networkName);

// The text with the list's password line shown as "***"; as it is when it
// has no such line.
QString withPasswordHidden(FieldList fields, const QString& text);

}  // namespace monitor::wifi
