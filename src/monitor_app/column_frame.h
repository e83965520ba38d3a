#pragma once
// One column of the main window: its content framed to the bounds the
// window gives the column. The column is never narrower or lower than its
// content needs in the language shown (wrapped texts take the height they
// need at the column's least width), nor than its floor; it is never wider
// than its ceiling.

#include <QSize>
#include <QWidget>

namespace monitor_app {

class ColumnFrame : public QWidget {
  Q_OBJECT

 public:
  ColumnFrame(QWidget* content, QSize floor, int maximumWidth, QWidget* parent = nullptr);

  QSize minimumSizeHint() const override;

 private:
  QSize floor_;
};

}  // namespace monitor_app
