#pragma once
// Where a text's words begin and end, for breaking it into lines: the one
// rule of both programs' windows and alerts. Words are as ICU's
// dictionary-based word breaks give them (Chinese words from its dictionary,
// "设备" one word, not two characters), and a hyphen or an apostrophe
// between letters or digits holds its neighbours in one word ("Wi-Fi",
// "printer's"), where Qt would break after it. text_wrap.h breaks lines by
// this rule.

#include <QString>
#include <vector>

namespace desktop {

// One entry for each position of `text`, its end included: true where a
// line may begin as far as words go (between words, or at the ends).
std::vector<bool> wordBoundaries(const QString& text);

// True when a line of `text` beginning at `position` would begin inside a
// word.
bool beginsInsideWord(const QString& text, int position);

}  // namespace desktop
