#include "desktop/text_wrap.h"

#include <QPainter>
#include <QTextBoundaryFinder>
#include <QTextLayout>
#include <QTextOption>

#include <algorithm>
#include <cmath>
#include <vector>

#include "desktop/words.h"

namespace desktop {
namespace {

// Qt's own width for a line that never wraps.
constexpr qreal kUnbounded = 0x01000000;

bool lineBreak(QChar c) { return c == QLatin1Char('\n') || c == QChar::LineSeparator || c == QChar::ParagraphSeparator; }

QStringList paragraphs(const QString& text) {
  QStringList parts;
  qsizetype from = 0;
  for (qsizetype at = 0; at < text.size(); ++at) {
    if (lineBreak(text.at(at))) {
      parts.append(text.mid(from, at - from));
      from = at + 1;
    }
  }
  parts.append(text.mid(from));
  return parts;
}

// A paragraph as it is drawn: the white space it begins with is drawn on no
// line, as the white space at a break is not, so it makes no empty line.
QString drawnPart(const QString& paragraph) {
  qsizetype start = 0;
  while (start < paragraph.size() && paragraph.at(start).isSpace()) {
    ++start;
  }
  return paragraph.mid(start);
}

QString trimmedEnd(const QString& line) {
  qsizetype end = line.size();
  while (end > 0 && line.at(end - 1).isSpace()) {
    --end;
  }
  return line.left(end);
}

// One line, laid out as it is drawn.
void layOut(QTextLayout& layout) {
  QTextOption option;
  option.setWrapMode(QTextOption::NoWrap);
  layout.setTextOption(option);
  layout.beginLayout();
  QTextLine line = layout.createLine();
  if (line.isValid()) {
    line.setLineWidth(kUnbounded);
  }
  layout.endLayout();
}

// One paragraph and where its lines may begin.
class Paragraph {
 public:
  Paragraph(const QString& text, const QFont& font)
      : text_(text), font_(font), words_(wordBoundaries(text)), compounds_(compoundBreaks(text)) {
    // Where Qt's line breaks and the words both allow, and the end.
    QTextBoundaryFinder lines(QTextBoundaryFinder::Line, text);
    for (qsizetype at = lines.toNextBoundary(); at > 0 && at < text.size(); at = lines.toNextBoundary()) {
      if (words_[static_cast<std::size_t>(at)]) {
        breaks_.push_back(at);
      }
    }
    breaks_.push_back(text.size());
  }

  QString line(qsizetype from, qsizetype to) const { return trimmedEnd(text_.mid(from, to - from)); }
  qreal width(qsizetype from, qsizetype to) const { return drawnSize(line(from, to), font_).width(); }

  void wrap(qreal width, QStringList& lines) const {
    qsizetype start = 0;
    auto next = breaks_.begin();
    while (start < text_.size()) {
      while (*next <= start) {
        ++next;
      }
      qsizetype end = -1;
      for (auto at = next; at != breaks_.end() && this->width(start, *at) <= width; ++at) {
        end = *at;
      }
      if (end < 0) {
        end = breakInsideWord(start, *next, width);
      }
      lines.append(line(start, end));
      // The white space at a break is drawn on neither line.
      for (start = end; start < text_.size() && text_.at(start).isSpace(); ++start) {
      }
    }
  }

  // The widest part between two places a line may begin.
  qreal widestWord() const {
    qreal widest = 0;
    qsizetype from = 0;
    for (const qsizetype to : breaks_) {
      widest = std::max(widest, width(from, to));
      from = to;
    }
    return widest;
  }

 private:
  // Where a line that begins at `start` ends inside the part up to `end`,
  // too wide for the line.
  qsizetype breakInsideWord(qsizetype start, qsizetype end, qreal width) const {
    QTextBoundaryFinder graphemes(QTextBoundaryFinder::Grapheme, text_);
    graphemes.setPosition(start);
    // At least one character, however wide.
    qsizetype full = std::min(graphemes.toNextBoundary(), end);
    for (qsizetype at = graphemes.toNextBoundary(); at > 0 && at < end && this->width(start, at) <= width;
         at = graphemes.toNextBoundary()) {
      full = at;
    }
    // After the last "/" that fits (more than the "/" on the line), so a
    // path breaks between its folders.
    for (qsizetype at = full; at > start + 1; --at) {
      if (text_.at(at - 1) == QLatin1Char('/') && words_[static_cast<std::size_t>(at)]) {
        return at;
      }
    }
    // Else between words, where the part holds several.
    for (qsizetype at = full; at > start; --at) {
      if (words_[static_cast<std::size_t>(at)]) {
        return at;
      }
    }
    // Else, in a word too long for any line, after the last hyphen or
    // underscore that fits (more than the mark on the line), so a compound
    // name breaks between its parts.
    for (qsizetype at = full; at > start + 1; --at) {
      if (compounds_[static_cast<std::size_t>(at)]) {
        return at;
      }
    }
    return full;
  }

  const QString& text_;
  const QFont& font_;
  std::vector<bool> words_;
  std::vector<bool> compounds_;
  std::vector<qsizetype> breaks_;
};

}  // namespace

QStringList wrappedLines(const QString& text, const QFont& font, int width) {
  QStringList lines;
  if (text.isEmpty()) {
    return lines;
  }
  for (const QString& paragraph : paragraphs(text)) {
    const QString part = drawnPart(paragraph);
    if (part.isEmpty()) {
      lines.append(QString());
      continue;
    }
    Paragraph(part, font).wrap(width, lines);
  }
  return lines;
}

QSizeF drawnSize(const QString& line, const QFont& font) {
  QTextLayout layout(line, font);
  layOut(layout);
  const QTextLine laid = layout.lineAt(0);
  return {laid.naturalTextWidth(), laid.height()};
}

void drawLine(QPainter& painter, const QString& line, const QFont& font, QPointF topLeft) {
  QTextLayout layout(line, font);
  layOut(layout);
  layout.draw(&painter, topLeft);
}

int oneLineWidth(const QString& text, const QFont& font) {
  qreal widest = 0;
  for (const QString& paragraph : paragraphs(text)) {
    widest = std::max(widest, drawnSize(trimmedEnd(drawnPart(paragraph)), font).width());
  }
  return static_cast<int>(std::ceil(widest));
}

int widestWord(const QString& text, const QFont& font) {
  qreal widest = 0;
  for (const QString& paragraph : paragraphs(text)) {
    const QString part = drawnPart(paragraph);
    if (!part.isEmpty()) {
      widest = std::max(widest, Paragraph(part, font).widestWord());
    }
  }
  return static_cast<int>(std::ceil(widest));
}

}  // namespace desktop
