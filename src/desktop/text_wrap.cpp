#include "desktop/text_wrap.h"

#include "desktop/words.h"

#include <QFontMetrics>
#include <QTextLayout>
#include <QTextOption>

#include <algorithm>
#include <vector>

namespace desktop {

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

namespace {

bool insideWord(const std::vector<bool>& boundary, int position) {
  return position > 0 && position < static_cast<int>(boundary.size()) - 1 &&
         !boundary[static_cast<std::size_t>(position)];
}

}  // namespace

bool breaksBetweenWords(const QString& text, const QList<int>& starts) {
  const std::vector<bool> boundary = wordBoundaries(text);
  return std::none_of(starts.begin(), starts.end(), [&boundary](int start) { return insideWord(boundary, start); });
}

int widthBreakingBetweenWords(const QString& text, const QFont& font, int preferred) {
  const QFontMetrics metrics(font);
  const std::vector<bool> boundary = wordBoundaries(text);
  const int oneLine = metrics.horizontalAdvance(text) + 1;
  int width = std::min(preferred, oneLine);
  while (width < oneLine) {
    const QList<int> starts = lineStarts(text, font, width);
    const auto broken = std::find_if(starts.begin(), starts.end(),
                                     [&boundary](int start) { return insideWord(boundary, start); });
    if (broken == starts.end()) {
      break;
    }
    // Widen until the broken word's line holds the whole word.
    const int lineStart = *std::prev(broken);
    int wordEnd = *broken + 1;
    while (wordEnd < text.size() && insideWord(boundary, wordEnd)) {
      ++wordEnd;
    }
    width = std::max(width + 1, metrics.horizontalAdvance(text.mid(lineStart, wordEnd - lineStart)) + 1);
  }
  return std::min(width, oneLine);
}

}  // namespace desktop
