#pragma once
// Keeps the words of a wrapped text whole: Qt breaks a line between any two
// Chinese characters and after a hyphen, so a line may end inside "设备" or
// after "Wi-". The text gets a word joiner (U+2060, drawn as nothing) at
// each such place inside a word, words as ICU's dictionary gives them;
// between words, and after spaces, lines break as before. A word longer than its line still overflows rather than breaks.

#include <QString>

namespace monitor_app {

inline constexpr QChar kWordJoiner{0x2060};

QString keepingWordsWhole(const QString& text);

}  // namespace monitor_app
