#pragma once
// The Wi-Fi text commands' formats: reply codes, the hot-spot list, the
// settings fields, the byte substitution of the set commands. Pure
// functions.

#include <QByteArray>
#include <QList>
#include <QString>
#include <QStringList>

#include <optional>

#include "monitor/wifi_settings.h"

namespace monitor::wifi {

// A reply without the NUL bytes that pad it at its end.
QString withoutTrailingNuls(QString reply);

// The reply up to its first "," (all of it when it holds none).
QString replyCode(const QString& reply);

// The hot-spot reply's code and list part: the reply split at ";" must give
// at least two segments; the code is the first segment up to its first "," and
// must not be empty.
struct HotSpotReply {
  QString code;
  QString list;  // the second ";"-segment
};
std::optional<HotSpotReply> splitHotSpotReply(const QString& reply);

// The entries of the list part, one per "\r\n"-separated line: the line
// without its last two characters is the name, its last character (a
// decimal digit) the signal level. Lines shorter than 3 characters, or not
// ending in a digit, are skipped and take no id.
QList<HotSpot> parseHotSpotList(const QString& list);

// The reply's "\r\n"-separated lines.
QStringList replyLines(const QString& reply);

// A settings reply's network name: the first line's text after its first
// ";", up to a second ";" if there is one.
QString nameAfterSemicolon(const QString& firstLine);

// A set command before its byte substitution: the name, "=", the fields
// joined by "\r\n", and the closing ";".
QString setCommand(const QString& name, const QStringList& fields);

// A set command's bytes as sent: UTF-8, every "?" turned into 0x01 and
// every ";" into 0x02, except the last byte, which stays as it was (the
// closing ";").
QByteArray substituteCommandBytes(const QString& command);

// True when any of the texts holds a carriage return or a line feed, which
// would split a field of a set command in two.
bool anyHoldsLineBreak(const QStringList& fields);

// A command, or its reply, as the log shows it: the line that holds the
// access-point or client-mode password, as the command's field list places
// it, is "***". A set command is known by its name whether its bytes are
// substituted or not. Other texts are shown as they are.
QString forLog(const QString& command, const QString& text);

}  // namespace monitor::wifi
