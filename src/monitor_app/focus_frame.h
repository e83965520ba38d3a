#pragma once
// The style's keyboard-focus frame, for controls that draw themselves or
// whose flat look draws none: the printer rows and the flat
// "networkSetting" button.

#include <QPainter>
#include <QPushButton>
#include <QRect>
#include <QWidget>

namespace monitor_app {

// Draws the focus frame around `area` when `widget` has the focus (the
// style shows it once the focus has moved by keyboard).
void drawFocusFrame(QPainter& painter, const QWidget& widget, const QRect& area);

// A borderless push button that shows where the keyboard focus is.
class FlatButton : public QPushButton {
  Q_OBJECT

 public:
  explicit FlatButton(const QString& text, QWidget* parent = nullptr);

 protected:
  void paintEvent(QPaintEvent* event) override;
};

}  // namespace monitor_app
