#include "window_fit.h"

#include <QAbstractButton>
#include <QDebug>
#include <QPushButton>
#include <QTextBoundaryFinder>
#include <QTextLayout>
#include <QTextOption>

#include <algorithm>
#include <vector>

#include "desktop/text_wrap.h"
#include "desktop/words.h"
#include "desktop/wrapped_label.h"

namespace test_support {
namespace {

QString nameOf(const QWidget& widget) {
  const QString name = widget.objectName().isEmpty() ? QString::fromLatin1(widget.metaObject()->className())
                                                     : widget.objectName();
  const auto* label = qobject_cast<const QLabel*>(&widget);
  return label != nullptr && !label->text().isEmpty() ? name + " \"" + label->text() + "\"" : name;
}

bool lineBreak(QChar c) { return c == QLatin1Char('\n') || c == QChar::LineSeparator || c == QChar::ParagraphSeparator; }

// Past the white space from `from` on that is no line break.
qsizetype pastBlanks(const QString& text, qsizetype from) {
  while (from < text.size() && text.at(from).isSpace() && !lineBreak(text.at(from))) {
    ++from;
  }
  return from;
}

// A line's width as the labels draw it.
qreal measured(const QString& line, const QFont& font) { return desktop::drawnSize(line, font).width(); }

qsizetype nextCharacter(const QString& text, qsizetype at) {
  QTextBoundaryFinder characters(QTextBoundaryFinder::Grapheme, text);
  characters.setPosition(at);
  const qsizetype next = characters.toNextBoundary();
  return next < 0 ? text.size() : next;
}

bool shown(const QWidget& widget) { return widget.isVisible() && !widget.isWindow(); }

void collectFaults(const QWidget& parent, QStringList& faults) {
  QList<const QWidget*> children;
  for (const QObject* object : parent.children()) {
    const auto* child = qobject_cast<const QWidget*>(object);
    if (child != nullptr && shown(*child)) {
      children.append(child);
    }
  }
  for (qsizetype i = 0; i < children.size(); ++i) {
    const QWidget& child = *children.at(i);
    if (!parent.rect().contains(child.geometry())) {
      faults << QStringLiteral("%1 %2 sticks out of %3 %4")
                    .arg(nameOf(child), QDebug::toString(child.geometry()), nameOf(parent),
                         QDebug::toString(parent.rect()));
    }
    for (qsizetype j = i + 1; j < children.size(); ++j) {
      if (child.geometry().intersects(children.at(j)->geometry())) {
        faults << QStringLiteral("%1 %2 overlaps %3 %4")
                      .arg(nameOf(child), QDebug::toString(child.geometry()), nameOf(*children.at(j)),
                           QDebug::toString(children.at(j)->geometry()));
      }
    }
    const auto* label = qobject_cast<const QLabel*>(&child);
    if (label != nullptr && label->wordWrap()) {
      if (label->height() < label->heightForWidth(label->width())) {
        faults << QStringLiteral("%1 is %2 high, needs %3 at width %4")
                      .arg(nameOf(child))
                      .arg(label->height())
                      .arg(label->heightForWidth(label->width()))
                      .arg(label->width());
      }
      for (const QString& fault : wrappedLines(*label).faults) {
        faults << nameOf(child) + ": " + fault;
      }
    } else {
      const QSize least = child.minimumSizeHint();
      if (least.isValid() && (child.width() < least.width() || child.height() < least.height())) {
        faults << QStringLiteral("%1 is %2, needs %3")
                      .arg(nameOf(child), QDebug::toString(child.size()), QDebug::toString(least));
      }
      if ((label != nullptr || qobject_cast<const QPushButton*>(&child) != nullptr) &&
          child.width() < child.sizeHint().width()) {
        faults << QStringLiteral("%1 is %2 wide, narrower than its text (%3)")
                      .arg(nameOf(child))
                      .arg(child.width())
                      .arg(child.sizeHint().width());
      }
    }
    collectFaults(child, faults);
  }
}

}  // namespace

QStringList lineFaults(const QString& text, const QStringList& lines, const QFont& font, qreal width) {
  QStringList faults;
  const std::vector<bool> boundary = desktop::wordBoundaries(text);
  const std::vector<bool> compound = desktop::compoundBreaks(text);
  qsizetype at = 0;             // where the text not yet drawn begins
  qsizetype previousStart = -1;  // where the line before began
  for (qsizetype index = 0; index < lines.size(); ++index) {
    const QString& line = lines.at(index);
    if (std::any_of(line.begin(), line.end(), lineBreak)) {
      faults << QStringLiteral("a line holds a line break: ") + line;
    }
    if (line.isEmpty()) {
      // Only a paragraph of nothing but white space is an empty line: the
      // rest of the paragraph before it ends at a line break, and the one
      // it stands for ends at the next or at the text's end.
      qsizetype paragraph = at;
      bool blank = true;
      if (index > 0) {
        const qsizetype before = pastBlanks(text, at);
        blank = before < text.size() && lineBreak(text.at(before));
        paragraph = before + 1;
      }
      const qsizetype end = pastBlanks(text, paragraph);
      if (!blank || (end < text.size() && !lineBreak(text.at(end)))) {
        faults << QStringLiteral("an empty line before: ") + text.mid(at).trimmed();
        return faults;
      }
      at = end;
      previousStart = -1;
      continue;
    }
    // The line begins after the white space its break took.
    qsizetype start = at;
    while (start < text.size() && text.at(start).isSpace() && !QStringView(text).mid(start).startsWith(line)) {
      ++start;
    }
    if (!QStringView(text).mid(start).startsWith(line)) {
      faults << QStringLiteral("the lines leave out text before: ") + line;
      return faults;
    }
    const qreal lineWidth = measured(line, font);
    if (lineWidth > width) {
      faults << QStringLiteral("wider than the label (%1 > %2): %3").arg(lineWidth).arg(width).arg(line);
    }
    if (!line.isEmpty() && start > 0 && !boundary[static_cast<std::size_t>(start)]) {
      qsizetype from = start - 1;
      while (from > 0 && !boundary[static_cast<std::size_t>(from)]) {
        --from;
      }
      qsizetype to = start + 1;
      while (to < text.size() && !boundary[static_cast<std::size_t>(to)]) {
        ++to;
      }
      const QString word = text.mid(from, start - from) + QLatin1Char('|') + text.mid(start, to - start);
      if (measured(text.mid(from, to - from), font) <= width) {
        faults << QStringLiteral("a line begins inside a word: ") + word;
      } else if (previousStart >= 0) {
        // A word too long for any line breaks after the last hyphen or
        // underscore its line holds, else where its line is full.
        qsizetype full = nextCharacter(text, previousStart);
        for (qsizetype next = nextCharacter(text, full);
             full < text.size() && measured(text.mid(previousStart, next - previousStart), font) <= width;
             next = nextCharacter(text, next)) {
          full = next;
        }
        qsizetype hyphen = -1;
        for (qsizetype after = previousStart + 2; after <= full; ++after) {
          if (compound[static_cast<std::size_t>(after)]) {
            hyphen = after;
          }
        }
        if (hyphen > start || (hyphen < 0 && full > start)) {
          faults << QStringLiteral("a long word breaks before its line is full: ") + word;
        } else if (hyphen >= 0 && hyphen < start) {
          faults << QStringLiteral("a long word breaks between letters where a hyphen fitted: ") + word;
        }
      }
    }
    previousStart = start;
    at = start + line.size();
  }
  if (!QStringView(text).mid(at).trimmed().isEmpty()) {
    faults << QStringLiteral("the lines leave out: ") + text.mid(at);
  }
  return faults;
}

// Each line break of a plain text ends a line.
QStringList paragraphs(const QString& text) {
  QStringList parts{QString()};
  for (const QChar c : text) {
    if (lineBreak(c)) {
      parts << QString();
    } else {
      parts.back() += c;
    }
  }
  return parts;
}

// The lines Qt draws a word-wrapped label's text in: each paragraph
// wrapped at word boundaries, a word longer than the line left whole.
QStringList qtLines(const QLabel& label) {
  QStringList lines;
  for (const QString& paragraph : paragraphs(label.text())) {
    QTextLayout layout(paragraph, label.font());
    QTextOption option;
    option.setWrapMode(QTextOption::WordWrap);
    layout.setTextOption(option);
    layout.beginLayout();
    for (QTextLine line = layout.createLine(); line.isValid(); line = layout.createLine()) {
      line.setLineWidth(label.contentsRect().width());
      lines << paragraph.mid(line.textStart(), line.textLength()).trimmed();
    }
    layout.endLayout();
  }
  return lines;
}

WrappedLines wrappedLines(const QLabel& label) {
  WrappedLines wrapped;
  if (const auto* ours = qobject_cast<const desktop::WrappedLabel*>(&label)) {
    wrapped.lines = ours->lines();
  } else if (label.wordWrap()) {
    wrapped.faults << QStringLiteral("wraps with Qt's line breaks, which break words");
    wrapped.lines = qtLines(label);
  } else {
    wrapped.lines = paragraphs(label.text());
  }
  wrapped.faults << lineFaults(label.text(), wrapped.lines, label.font(), label.contentsRect().width());
  return wrapped;
}

QStringList layoutFaults(const QWidget& window) {
  QStringList faults;
  collectFaults(window, faults);
  return faults;
}

}  // namespace test_support
