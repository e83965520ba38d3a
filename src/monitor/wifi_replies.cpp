#include "monitor/wifi_replies.h"

#include "monitor/wifi_fields.h"

namespace monitor::wifi {
namespace {

const QString kLineBreak = QStringLiteral("\r\n");

// The field list of a command, and of its reply, when it carries a
// password.
std::optional<FieldList> passwordFields(const QString& command) {
  if (command.startsWith(QLatin1String("SetwifiAP="))) {
    return kApSetFields;
  }
  if (command == QLatin1String("CheckwifiAP?")) {
    return kApReplyFields;
  }
  if (command.startsWith(QLatin1String("SetwifiSTA=")) || command == QLatin1String("CheckwifiSTA?")) {
    return kClientModeFields;
  }
  return std::nullopt;
}

}  // namespace

QString withoutTrailingNuls(QString reply) {
  qsizetype end = reply.size();
  while (end > 0 && reply.at(end - 1) == QChar(u'\0')) {
    --end;
  }
  reply.truncate(end);
  return reply;
}

QString replyCode(const QString& reply) { return reply.section(u',', 0, 0); }

std::optional<HotSpotReply> splitHotSpotReply(const QString& reply) {
  const QStringList segments = reply.split(u';');
  if (segments.size() < 2) {
    return std::nullopt;
  }
  const QString code = replyCode(segments.at(0));
  if (code.isEmpty()) {
    return std::nullopt;
  }
  return HotSpotReply{code, segments.at(1)};
}

QList<HotSpot> parseHotSpotList(const QString& list) {
  QList<HotSpot> entries;
  for (const QString& line : list.split(kLineBreak)) {
    // By characters (code points), not UTF-16 units: a name may hold any.
    const QList<uint> characters = line.toUcs4();
    if (characters.size() < 3) {
      continue;
    }
    const uint last = characters.back();
    if (last < '0' || last > '9') {
      continue;
    }
    HotSpot entry;
    entry.id = static_cast<int>(entries.size());
    entry.name = QString::fromUcs4(reinterpret_cast<const char32_t*>(characters.constData()),
                                   characters.size() - 2);
    entry.signalDB = static_cast<int>(last - '0');
    entries.push_back(entry);
  }
  return entries;
}

QStringList replyLines(const QString& reply) { return reply.split(kLineBreak); }

QString nameAfterSemicolon(const QString& firstLine) { return firstLine.section(u';', 1, 1); }

QString setCommand(const QString& name, const QStringList& fields) {
  return name + u'=' + fields.join(kLineBreak) + u';';
}

QByteArray substituteCommandBytes(const QString& command) {
  const QByteArray original = command.toUtf8();
  QByteArray bytes = original;
  for (char& byte : bytes) {
    if (byte == '?') {
      byte = '\x01';
    } else if (byte == ';') {
      byte = '\x02';
    }
  }
  if (!bytes.isEmpty()) {
    bytes.back() = original.back();
  }
  return bytes;
}

bool anyHoldsLineBreak(const QStringList& fields) {
  for (const QString& field : fields) {
    if (field.contains(u'\r') || field.contains(u'\n')) {
      return true;
    }
  }
  return false;
}

QString forLog(const QString& command, const QString& text) {
  const std::optional<FieldList> fields = passwordFields(command);
  return fields ? withPasswordHidden(*fields, text) : text;
}

}  // namespace monitor::wifi
