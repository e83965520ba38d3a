#pragma once
// Where a text's words begin and end, for breaking it into lines: the one
// rule of both programs' windows and alerts. Words are as ICU's
// dictionary-based word breaks give them (Chinese words from its dictionary,
// "设备" one word, not two characters), and a hyphen or an apostrophe
// between letters or digits holds its neighbours in one word ("Wi-Fi",
// "printer's"), where Qt would break after it. text_wrap.h breaks lines by
// this rule. A word too long for any line has places a reader still
// expects it broken at: after the hyphens and underscores of a compound
// name ("Abteilung-" / "Buchhaltung", "accounting_" / "department").

#include <QString>
#include <vector>

namespace desktop {

// One entry for each position of `text`, its end included: true where a
// line may begin as far as words go (between words, or at the ends).
std::vector<bool> wordBoundaries(const QString& text);

// One entry for each position of `text`, its end included: true right
// after a hyphen or an underscore where Qt's line breaking lets a line
// begin, an underscore taken for a hyphen ("scans-" / "2024" is no such
// place, as a hyphen before digits may be a minus sign).
std::vector<bool> compoundBreaks(const QString& text);

// True when a line of `text` beginning at `position` would begin inside a
// word.
bool beginsInsideWord(const QString& text, int position);

}  // namespace desktop
