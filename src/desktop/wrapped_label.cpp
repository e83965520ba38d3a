#include "desktop/wrapped_label.h"

#include <QPainter>
#include <QStyle>

#include <algorithm>
#include <cmath>

#include "desktop/text_wrap.h"

namespace desktop {
namespace {

// A text runs on one line up to this many average characters, then wraps.
constexpr int kPreferredCharacters = 80;
// Widths a label keeps the lines of before it starts afresh.
constexpr int kWidthsKept = 32;

}  // namespace

WrappedLabel::WrappedLabel(QWidget* parent) : QLabel(parent) {
  setTextFormat(Qt::PlainText);
  // Says that it wraps (its size policy then asks for the height at its
  // width); the lines are its own.
  setWordWrap(true);
}

QStringList WrappedLabel::linesAt(int contentsWidth) const {
  if (wrappedText_ != text() || wrappedFont_ != font() || linesAtWidth_.size() > kWidthsKept) {
    wrappedText_ = text();
    wrappedFont_ = font();
    linesAtWidth_.clear();
  }
  const auto found = linesAtWidth_.constFind(contentsWidth);
  if (found != linesAtWidth_.constEnd()) {
    return *found;
  }
  return *linesAtWidth_.insert(contentsWidth, wrappedLines(text(), font(), contentsWidth));
}

QStringList WrappedLabel::lines() const { return linesAt(contentsRect().width()); }

QSize WrappedLabel::margins() const { return size() - contentsRect().size(); }

int WrappedLabel::linesHeight(const QStringList& lines) const {
  // Without a text, the room of a line, as Qt's labels keep: a status
  // without advice leaves the room it always did.
  if (lines.isEmpty()) {
    return fontMetrics().height();
  }
  qreal height = 0;
  for (const QString& line : lines) {
    height += drawnSize(line, font()).height();
  }
  return static_cast<int>(std::ceil(height));
}

int WrappedLabel::heightForWidth(int width) const {
  return linesHeight(linesAt(width - margins().width())) + margins().height();
}

QSize WrappedLabel::sizeHint() const {
  const int least = widestWord(text(), font());
  const int preferred =
      std::clamp(oneLineWidth(text(), font()), least, std::max(least, fontMetrics().averageCharWidth() * kPreferredCharacters));
  return QSize(preferred, linesHeight(linesAt(preferred))) + margins();
}

QSize WrappedLabel::minimumSizeHint() const {
  return QSize(widestWord(text(), font()), linesHeight(linesAt(QWIDGETSIZE_MAX))) + margins();
}

void WrappedLabel::paintEvent(QPaintEvent* event) {
  QFrame::paintEvent(event);
  QPainter painter(this);
  painter.setPen(palette().color(foregroundRole()));
  const QRect area = contentsRect();
  const QStringList shown = linesAt(area.width());
  const Qt::Alignment align = QStyle::visualAlignment(layoutDirection(), alignment());
  qreal top = area.top();
  if (align & Qt::AlignVCenter) {
    top += (area.height() - linesHeight(shown)) / 2.0;
  } else if (align & Qt::AlignBottom) {
    top += area.height() - linesHeight(shown);
  }
  for (const QString& line : shown) {
    const QSizeF size = drawnSize(line, font());
    qreal left = area.left();
    if (align & Qt::AlignHCenter) {
      left += (area.width() - size.width()) / 2;
    } else if (align & Qt::AlignRight) {
      left += area.width() - size.width();
    }
    drawLine(painter, line, font(), QPointF(left, top));
    top += size.height();
  }
}

}  // namespace desktop
