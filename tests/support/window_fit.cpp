#include "window_fit.h"

#include <QAbstractButton>
#include <QDebug>
#include <QPushButton>
#include <QTextLayout>
#include <QTextOption>

#include <vector>

#include "desktop/words.h"

namespace test_support {
namespace {

using desktop::kWordJoiner;

QString nameOf(const QWidget& widget) {
  const QString name = widget.objectName().isEmpty() ? QString::fromLatin1(widget.metaObject()->className())
                                                     : widget.objectName();
  const auto* label = qobject_cast<const QLabel*>(&widget);
  return label != nullptr && !label->text().isEmpty() ? name + " \"" + label->text() + "\"" : name;
}

bool chinese(QChar c) {
  return c.script() == QChar::Script_Han || (c.unicode() >= 0x3000 && c.unicode() <= 0x303F) ||
         (c.unicode() >= 0xFF00 && c.unicode() <= 0xFFEF);
}

// The fault of a line that begins at `start` of `text` (joiners removed),
// or an empty text.
QString breakFault(const QString& text, const std::vector<bool>& boundary, qsizetype start, const QString& line) {
  if (start <= 0 || start >= text.size()) {
    return {};
  }
  const QChar before = text.at(start - 1);
  const QChar after = text.at(start);
  if (before.isSpace() || after.isSpace()) {
    return {};
  }
  if (!chinese(before) && !chinese(after)) {
    return QStringLiteral("a word breaks before: ") + line;
  }
  if (boundary[static_cast<std::size_t>(start)]) {
    return {};
  }
  // Inside a word that began on the line before: how much of it is here.
  qsizetype end = start + 1;
  while (end < text.size() && !boundary[static_cast<std::size_t>(end)]) {
    ++end;
  }
  return end - start == 1 ? QStringLiteral("a lone character of a word begins: ") + line : QString();
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

WrappedLines wrappedLines(const QLabel& label) {
  WrappedLines wrapped;
  const QString text = label.text();
  QTextLayout layout(text, label.font());
  QTextOption option;
  option.setWrapMode(QTextOption::WordWrap);
  layout.setTextOption(option);
  const qreal width = label.contentsRect().width();
  QList<qsizetype> starts;
  layout.beginLayout();
  for (QTextLine line = layout.createLine(); line.isValid(); line = layout.createLine()) {
    line.setLineWidth(width);
    starts.append(line.textStart());
    QString shownLine = text.mid(line.textStart(), line.textLength());
    shownLine.remove(kWordJoiner);
    wrapped.lines.append(shownLine);
    if (line.naturalTextWidth() > width) {
      wrapped.faults << QStringLiteral("wider than the label (%1 > %2): %3")
                            .arg(line.naturalTextWidth())
                            .arg(width)
                            .arg(shownLine);
    }
  }
  layout.endLayout();

  // The breaks, in the text without its joiners.
  QString plain;
  QList<qsizetype> plainAt;  // position in `plain` of each position in `text`
  for (const QChar c : text) {
    plainAt.append(plain.size());
    if (c != kWordJoiner) {
      plain.append(c);
    }
  }
  plainAt.append(plain.size());
  const std::vector<bool> boundary = desktop::wordBoundaries(plain);
  for (qsizetype i = 0; i < starts.size(); ++i) {
    const QString fault = breakFault(plain, boundary, plainAt.at(starts.at(i)), wrapped.lines.at(i));
    if (!fault.isEmpty()) {
      wrapped.faults << fault;
    }
  }
  return wrapped;
}

QStringList layoutFaults(const QWidget& window) {
  QStringList faults;
  collectFaults(window, faults);
  return faults;
}

}  // namespace test_support
