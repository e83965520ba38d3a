#pragma once
// Does a window fit: what a person would see cut, covered or broken in it.
// Shared by the window tests of both applications.
// - a part sticking out of its parent, or two visible siblings sharing a
//   pixel;
// - a part smaller than it says it needs, a label or a button narrower
//   than its text;
// - a word-wrapped label lower than its lines need, a line wider than the
//   label, or a line break inside a word: in text set apart by spaces
//   only after white space ("Wi-" / "Fi" is broken); in Chinese, words as
//   both programs take them (desktop/words.h), no line holding a lone
//   character of a word that began on the line before ("没有连接的设" / "备").
// Invisible word joiners (U+2060) in a label's text count as nothing.

#include <QLabel>
#include <QString>
#include <QStringList>
#include <QWidget>

namespace test_support {

QStringList layoutFaults(const QWidget& window);

// A word-wrapped label's lines as it shows them at its width, and the
// faults of the lines alone.
struct WrappedLines {
  QStringList lines;
  QStringList faults;
};
WrappedLines wrappedLines(const QLabel& label);

}  // namespace test_support
