#include "desktop/text_wrap.h"

#include <QFontMetrics>
#include <QTextBoundaryFinder>
#include <QTextLayout>
#include <QTextOption>

#include <algorithm>

namespace desktop {
namespace {

// A character that a hyphen or an apostrophe holds to its neighbour:
// letters and digits of the scripts that set words apart by spaces, and
// those marks themselves.
bool joins(QChar c) {
  if (c == QLatin1Char('-') || c == QLatin1Char('\'') || c == QChar(0x2019)) {
    return true;
  }
  return c.isLetterOrNumber() && c.script() != QChar::Script_Han;
}

}  // namespace

QList<int> lineStarts(const QString& text, const QFont& font, int width) {
  QTextLayout layout(text, font);
  QTextOption option;
  option.setWrapMode(QTextOption::WordWrap);
  layout.setTextOption(option);
  QList<int> starts;
  layout.beginLayout();
  for (QTextLine line = layout.createLine(); line.isValid(); line = layout.createLine()) {
    line.setLineWidth(width);
    starts.append(line.textStart());
  }
  layout.endLayout();
  return starts;
}

bool beginsInsideWord(const QString& text, int position) {
  if (position <= 0 || position >= text.size()) {
    return false;
  }
  QTextBoundaryFinder words(QTextBoundaryFinder::Word, text);
  words.setPosition(position);
  if (!words.isAtBoundary()) {
    return true;
  }
  return joins(text.at(position - 1)) && joins(text.at(position));
}

bool breaksBetweenWords(const QString& text, const QList<int>& starts) {
  return std::none_of(starts.begin(), starts.end(), [&text](int start) { return beginsInsideWord(text, start); });
}

int widthBreakingBetweenWords(const QString& text, const QFont& font, int preferred) {
  const QFontMetrics metrics(font);
  const int oneLine = metrics.horizontalAdvance(text) + 1;
  int width = std::min(preferred, oneLine);
  while (width < oneLine) {
    const QList<int> starts = lineStarts(text, font, width);
    const auto broken = std::find_if(starts.begin(), starts.end(),
                                     [&text](int start) { return beginsInsideWord(text, start); });
    if (broken == starts.end()) {
      break;
    }
    // Widen until the broken word's line holds the whole word.
    const int lineStart = *std::prev(broken);
    int wordEnd = *broken + 1;
    while (wordEnd < text.size() && beginsInsideWord(text, wordEnd)) {
      ++wordEnd;
    }
    width = std::max(width + 1, metrics.horizontalAdvance(text.mid(lineStart, wordEnd - lineStart)) + 1);
  }
  return std::min(width, oneLine);
}

}  // namespace desktop
