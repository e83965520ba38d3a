#include "monitor_app/column_frame.h"

#include <QVBoxLayout>

#include <algorithm>

namespace monitor_app {

ColumnFrame::ColumnFrame(QWidget* content, QSize floor, int maximumWidth, QWidget* parent)
    : QWidget(parent), floor_(floor) {
  auto* layout = new QVBoxLayout(this);
  layout->setContentsMargins(0, 0, 0, 0);
  layout->addWidget(content);
  setMaximumWidth(maximumWidth);
}

QSize ColumnFrame::minimumSizeHint() const {
  const QSize least = layout()->totalMinimumSize();
  const int width = std::max(floor_.width(), least.width());
  const int height = layout()->hasHeightForWidth() ? layout()->totalHeightForWidth(width) : least.height();
  return {width, std::max(floor_.height(), height)};
}

}  // namespace monitor_app
