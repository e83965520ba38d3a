#pragma once
// One column of the main window: its content framed to the bounds the
// window gives the column. The column is never narrower or lower than its
// content needs in the language shown (wrapped texts take the height they
// need at the column's width), nor than its floor; it is never wider than
// its ceiling. A column that widens to its content takes the width its
// content prefers (its rows on one line), up to the ceiling, before it lets
// anything wrap.

#include <QSize>
#include <QWidget>

namespace monitor_app {

class ColumnFrame : public QWidget {
  Q_OBJECT

 public:
  enum class Width { least, preferred };

  ColumnFrame(QWidget* content, QSize floor, int maximumWidth, Width width = Width::least, QWidget* parent = nullptr);

  QSize minimumSizeHint() const override;

 protected:
  void resizeEvent(QResizeEvent* event) override;

 private:
  QWidget* content_;
  QSize floor_;
  Width width_;
};

}  // namespace monitor_app
