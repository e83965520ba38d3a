#include "desktop/words.h"

#include <QTextBoundaryFinder>

#include <unicode/brkiter.h>
#include <unicode/locid.h>
#include <unicode/unistr.h>

#include <memory>

namespace desktop {
namespace {

// A character that a hyphen or an apostrophe holds to its neighbour: the
// letters and digits of scripts that set words apart by spaces.
bool spacedLetter(QChar c) { return c.isLetterOrNumber() && c.script() != QChar::Script_Han; }

bool innerMark(QChar c) { return c == QLatin1Char('-') || c == QLatin1Char('\'') || c == QChar(0x2019); }

// ICU's word breaks; Qt's own, which take every Chinese character for a
// word, where ICU cannot make them.
std::vector<bool> dictionaryBoundaries(const QString& text) {
  std::vector<bool> boundary(static_cast<std::size_t>(text.size()) + 1, false);
  UErrorCode status = U_ZERO_ERROR;
  const std::unique_ptr<icu::BreakIterator> words(
      icu::BreakIterator::createWordInstance(icu::Locale::getChinese(), status));
  if (U_FAILURE(status) || !words) {
    QTextBoundaryFinder finder(QTextBoundaryFinder::Word, text);
    for (qsizetype at = 0; at <= text.size(); ++at) {
      finder.setPosition(at);
      boundary[static_cast<std::size_t>(at)] = finder.isAtBoundary();
    }
    return boundary;
  }
  const icu::UnicodeString utf16(reinterpret_cast<const UChar*>(text.utf16()), static_cast<int32_t>(text.size()));
  words->setText(utf16);
  for (int32_t at = words->first(); at != icu::BreakIterator::DONE; at = words->next()) {
    boundary[static_cast<std::size_t>(at)] = true;
  }
  return boundary;
}

}  // namespace

std::vector<bool> wordBoundaries(const QString& text) {
  std::vector<bool> boundary = dictionaryBoundaries(text);
  for (qsizetype at = 1; at < text.size(); ++at) {
    const QChar before = text.at(at - 1);
    const QChar after = text.at(at);
    // Before the mark ("Wi|-Fi") and after it ("Wi-|Fi").
    const bool beforeMark = innerMark(after) && spacedLetter(before) && at + 1 < text.size() &&
                            spacedLetter(text.at(at + 1));
    const bool afterMark = innerMark(before) && spacedLetter(after) && at >= 2 && spacedLetter(text.at(at - 2));
    if (beforeMark || afterMark) {
      boundary[static_cast<std::size_t>(at)] = false;
    }
  }
  return boundary;
}

std::vector<bool> compoundBreaks(const QString& text) {
  std::vector<bool> breaks(static_cast<std::size_t>(text.size()) + 1, false);
  // Qt reads an underscore as a letter; in a file name it joins words as a
  // hyphen does.
  QString hyphenated = text;
  hyphenated.replace(QLatin1Char('_'), QLatin1Char('-'));
  QTextBoundaryFinder lines(QTextBoundaryFinder::Line, hyphenated);
  for (qsizetype at = lines.toNextBoundary(); at > 0; at = lines.toNextBoundary()) {
    breaks[static_cast<std::size_t>(at)] = hyphenated.at(at - 1) == QLatin1Char('-');
  }
  return breaks;
}

bool beginsInsideWord(const QString& text, int position) {
  if (position <= 0 || position >= text.size()) {
    return false;
  }
  return !wordBoundaries(text)[static_cast<std::size_t>(position)];
}

}  // namespace desktop
