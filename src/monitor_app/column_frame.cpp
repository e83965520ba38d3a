#include "monitor_app/column_frame.h"

#include <QResizeEvent>
#include <QVBoxLayout>

#include <algorithm>

namespace monitor_app {

ColumnFrame::ColumnFrame(QWidget* content, QSize floor, int maximumWidth, Width width, QWidget* parent)
    : QWidget(parent), content_(content), floor_(floor), width_(width) {
  auto* layout = new QVBoxLayout(this);
  layout->setContentsMargins(0, 0, 0, 0);
  layout->addWidget(content);
  setMaximumWidth(maximumWidth);
}

QSize ColumnFrame::minimumSizeHint() const {
  const QSize least = layout()->totalMinimumSize();
  int wanted = least.width();
  if (width_ == Width::preferred) {
    wanted = std::max(wanted, content_->sizeHint().width());
  }
  const int width = std::clamp(wanted, floor_.width(), std::max(floor_.width(), maximumWidth()));
  // The height at the width the column has once laid out, else at its
  // least: a wider column wraps less and needs less.
  const int laidOut = testAttribute(Qt::WA_WState_Visible) ? std::max(width, this->width()) : width;
  const int height = layout()->hasHeightForWidth() ? layout()->totalHeightForWidth(laidOut) : least.height();
  return {width, std::max(floor_.height(), height)};
}

void ColumnFrame::resizeEvent(QResizeEvent* event) {
  QWidget::resizeEvent(event);
  // The height the column needs follows its width.
  if (event->size().width() != event->oldSize().width()) {
    updateGeometry();
  }
}

}  // namespace monitor_app
