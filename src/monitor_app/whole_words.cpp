#include "monitor_app/whole_words.h"

#include <QTextBoundaryFinder>

#include <unicode/brkiter.h>
#include <unicode/locid.h>
#include <unicode/unistr.h>

#include <memory>
#include <vector>

namespace monitor_app {
namespace {

// Where the text's words begin and end (and so where no word goes on), by
// ICU's dictionary-based word breaks; empty when ICU cannot make them.
std::vector<bool> wordBoundaries(const QString& text) {
  UErrorCode status = U_ZERO_ERROR;
  const std::unique_ptr<icu::BreakIterator> words(
      icu::BreakIterator::createWordInstance(icu::Locale::getRoot(), status));
  if (U_FAILURE(status) || !words) {
    return {};
  }
  const icu::UnicodeString utf16(reinterpret_cast<const UChar*>(text.utf16()), static_cast<int32_t>(text.size()));
  words->setText(utf16);
  std::vector<bool> boundary(static_cast<std::size_t>(text.size()) + 1, false);
  for (int32_t at = words->first(); at != icu::BreakIterator::DONE; at = words->next()) {
    boundary[static_cast<std::size_t>(at)] = true;
  }
  return boundary;
}

bool letterOrDigit(QChar c) { return c.isLetterOrNumber(); }

// A hyphen inside a word ("Wi-Fi", "pick-up"): ICU sets it apart, Qt
// breaks after it.
bool afterInnerHyphen(const QString& text, qsizetype at) {
  return at >= 2 && at < text.size() && text.at(at - 1) == QLatin1Char('-') && letterOrDigit(text.at(at - 2)) &&
         letterOrDigit(text.at(at));
}

}  // namespace

QString keepingWordsWhole(const QString& text) {
  const std::vector<bool> boundary = wordBoundaries(text);
  if (boundary.empty()) {
    return text;
  }
  QString kept;
  kept.reserve(text.size() * 2);
  QTextBoundaryFinder lines(QTextBoundaryFinder::Line, text);
  qsizetype from = 0;
  for (qsizetype at = lines.toNextBoundary(); at > 0 && at < text.size(); at = lines.toNextBoundary()) {
    if (!boundary[static_cast<std::size_t>(at)] || afterInnerHyphen(text, at)) {
      kept += QStringView(text).mid(from, at - from);
      kept += kWordJoiner;
      from = at;
    }
  }
  kept += QStringView(text).mid(from);
  return kept;
}

}  // namespace monitor_app
