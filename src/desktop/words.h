#pragma once
// Where a text's words begin and end, for breaking it into lines: the one
// rule of both programs' windows and alerts. Words are as ICU's
// dictionary-based word breaks give them (Chinese words from its dictionary,
// "设备" one word, not two characters), and a hyphen or an apostrophe
// between letters or digits holds its neighbours in one word ("Wi-Fi",
// "printer's"), where Qt would break after it.

#include <QChar>
#include <QString>
#include <vector>

namespace desktop {

// One entry for each position of `text`, its end included: true where a
// line may begin as far as words go (between words, or at the ends).
std::vector<bool> wordBoundaries(const QString& text);

// True when a line of `text` beginning at `position` would begin inside a
// word.
bool beginsInsideWord(const QString& text, int position);

// Drawn as nothing, and no line breaks beside it.
inline constexpr QChar kWordJoiner{0x2060};

// `text` with a word joiner at each place inside a word where Qt would
// break a line, so that a word-wrapped label keeps its words whole; between
// words and after spaces lines break as before. A word longer than its line
// still overflows rather than breaks.
QString keepingWordsWhole(const QString& text);

}  // namespace desktop
