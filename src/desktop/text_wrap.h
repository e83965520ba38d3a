#pragma once
// Where a word-wrapped text breaks into lines, and the width at which it
// breaks only between words ("Wi-Fi" never becomes "Wi-" and "Fi", and no
// line begins with the rest of a word from the line before). Pure functions
// over a font's metrics.

#include <QFont>
#include <QList>
#include <QString>

namespace desktop {

// The positions in `text` where its lines begin when it is wrapped at word
// boundaries to `width` pixels in `font`; the first is 0.
QList<int> lineStarts(const QString& text, const QFont& font, int width);

// True when a line of `text` beginning at `position` would begin inside a
// word. Words are as QTextBoundaryFinder finds them (a run of letters and
// digits; each Chinese character is one), and a hyphen or an apostrophe
// between letters joins two of them into one ("Wi-Fi", "printer's").
bool beginsInsideWord(const QString& text, int position);

// True when no line of the wrapped text begins inside a word.
bool breaksBetweenWords(const QString& text, const QList<int>& starts);

// The least width, from `preferred` up to the text's width on one line, at
// which the text breaks only between words.
int widthBreakingBetweenWords(const QString& text, const QFont& font, int preferred);

}  // namespace desktop
