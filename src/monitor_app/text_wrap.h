#pragma once
// Where a word-wrapped text breaks into lines, and the width an alert
// needs so that its message breaks only between words ("Wi-Fi" never
// becomes "Wi-" and "Fi"). Pure functions over a font's metrics.

#include <QFont>
#include <QList>
#include <QString>

namespace monitor_app {

// The positions in `text` where its lines begin when it is wrapped at word
// boundaries to `width` pixels in `font`; the first is 0.
QList<int> lineStarts(const QString& text, const QFont& font, int width);

// True when no line of the wrapped text begins inside a word: every break
// follows white space, or lies next to a character of a script written
// without spaces (Chinese).
bool breaksBetweenWords(const QString& text, const QList<int>& starts);

// The least width, from `preferred` up to the text's width on one line, at
// which the text breaks only between words.
int widthBreakingBetweenWords(const QString& text, const QFont& font, int preferred);

}  // namespace monitor_app
