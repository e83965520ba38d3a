#include "monitor_app/focus_frame.h"

#include <QStyle>
#include <QStyleOptionFocusRect>

namespace monitor_app {

void drawFocusFrame(QPainter& painter, const QWidget& widget, const QRect& area) {
  if (!widget.hasFocus()) {
    return;
  }
  QStyleOptionFocusRect frame;
  frame.initFrom(&widget);
  frame.rect = area;
  frame.backgroundColor = widget.palette().color(widget.backgroundRole());
  widget.style()->drawPrimitive(QStyle::PE_FrameFocusRect, &frame, &painter, &widget);
}

FlatButton::FlatButton(const QString& text, QWidget* parent) : QPushButton(text, parent) { setFlat(true); }

void FlatButton::paintEvent(QPaintEvent* event) {
  QPushButton::paintEvent(event);
  QPainter painter(this);
  drawFocusFrame(painter, *this, rect().adjusted(1, 1, -1, -1));
}

}  // namespace monitor_app
