#pragma once
// How both programs break a text into lines: the one place that applies
// words.h's rule to drawing. A line break in the text begins a new line;
// elsewhere a line begins only where Qt's line-break rules (no line begins
// with "，" or ".") and words.h both let it ("Wi-Fi" never becomes "Wi-" and
// "Fi", "设备" never "设" and "备"). A word wider than the line is broken
// inside rather than cut: after a "/" where it holds one (a folder's path),
// else after a hyphen or an underscore (a compound name), else as late as
// the line allows. The white space a paragraph begins with is not drawn.
// Each line is measured as it is drawn: laid out on its own by Qt's text
// layout in the font given.

#include <QFont>
#include <QPointF>
#include <QSizeF>
#include <QString>
#include <QStringList>

class QPainter;

namespace desktop {

// The lines `text` is drawn in, `width` pixels wide in `font`, without the
// white space at their breaks. Every line fits `width` but a single
// character wider than it. An empty text gives no line.
QStringList wrappedLines(const QString& text, const QFont& font, int width);

// The size of one line as drawn: its width without trailing white space,
// its height that of the fonts it is drawn in (a fallback font for Chinese
// may be taller than `font`).
QSizeF drawnSize(const QString& line, const QFont& font);

// Draws one line with its top left at `topLeft`, in the painter's pen.
void drawLine(QPainter& painter, const QString& line, const QFont& font, QPointF topLeft);

// The width of the widest line of `text` when only its line breaks break
// it, rounded up.
int oneLineWidth(const QString& text, const QFont& font);

// The width of the widest part of `text` that no line may break, rounded
// up: below it, wrappedLines breaks a word inside.
int widestWord(const QString& text, const QFont& font);

}  // namespace desktop
