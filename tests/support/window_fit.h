#pragma once
// Does a window fit: what a person would see cut, covered or broken in it.
// Shared by the window tests of both applications.
// - a part sticking out of its parent, or two visible siblings sharing a
//   pixel;
// - a part smaller than it says it needs, a label or a button narrower
//   than its text;
// - a wrapped label lower than its lines need, or a line as the label
//   draws it that is wider than the label, leaves text out, or begins
//   inside a word by desktop/words.h's rule, in every language ("Wi-" /
//   "Fi", "打" / "印机" are broken). Only a word wider than the label may
//   break, and then after the last hyphen or underscore its line holds,
//   else only where its line is full ("Buchh" / "altung" is broken where
//   "Abteilung-" fitted); an empty line stands only for a blank paragraph;
// - a label that wraps with Qt's own line breaks, which know nothing of
//   words.h (desktop::WrappedLabel wraps by it).

#include <QFont>
#include <QLabel>
#include <QString>
#include <QStringList>
#include <QWidget>

namespace test_support {

QStringList layoutFaults(const QWidget& window);

// A label's lines as it draws them at its width, and the faults of the
// lines alone.
struct WrappedLines {
  QStringList lines;
  QStringList faults;
};
WrappedLines wrappedLines(const QLabel& label);

// The faults of `lines` drawn for `text` in `font`, each `width` pixels
// wide, as above.
QStringList lineFaults(const QString& text, const QStringList& lines, const QFont& font, qreal width);

}  // namespace test_support
