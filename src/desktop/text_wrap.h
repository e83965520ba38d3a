#pragma once
// Where a word-wrapped text breaks into lines, and the width at which it
// breaks only between words (words.h: "Wi-Fi" never becomes "Wi-" and "Fi",
// "设备" never "设" and "备"). Pure functions over a font's metrics.

#include <QFont>
#include <QList>
#include <QString>

#include "desktop/words.h"

namespace desktop {

// The positions in `text` where its lines begin when it is wrapped at word
// boundaries to `width` pixels in `font`; the first is 0.
QList<int> lineStarts(const QString& text, const QFont& font, int width);

// True when no line of the wrapped text begins inside a word.
bool breaksBetweenWords(const QString& text, const QList<int>& starts);

// The least width, from `preferred` up to the text's width on one line, at
// which the text breaks only between words.
int widthBreakingBetweenWords(const QString& text, const QFont& font, int preferred);

}  // namespace desktop
