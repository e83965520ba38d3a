#pragma once
// The IPv4 field checks of both Wi-Fi settings forms.

#include <QString>

namespace monitor_app {

// True when the whole text is one dotted-quad IPv4 address: four decimal
// fields of one to three digits (leading zeros allowed), each 0 to 255,
// separated by single dots. Nothing before or after it, not even a line
// break or a space.
bool isValidIPv4(const QString& text);

// The string-table key of the alert for the first of address, mask and
// gateway that is not a valid IPv4 address, checked in that order; null
// when all three are.
const char* addressFault(const QString& ip, const QString& mask, const QString& gateway);

}  // namespace monitor_app
