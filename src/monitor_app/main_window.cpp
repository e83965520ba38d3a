#include "monitor_app/main_window.h"

#include <QCoreApplication>
#include <QResizeEvent>
#include <QScreen>
#include <QSplitter>

#include <algorithm>

#include "monitor_app/column_frame.h"
#include "monitor_app/pictures/pictures.h"
#include "monitor_app/sidebar_view.h"
#include "monitor_app/status_info_view.h"

namespace monitor_app {
namespace {

constexpr int kSidebarMinWidth = 200;
constexpr int kSidebarMaxWidth = 256;
constexpr int kPanelMinWidth = 400;
constexpr int kPanelMaxWidth = 450;
constexpr int kPanelMinHeight = 250;
constexpr int kPanelIdealHeight = 400;

}  // namespace

MainWindow::MainWindow(monitor::PrinterModel& printers, monitor::NetworkModel& network, QWidget* parent)
    : QMainWindow(parent),
      sidebar_(new SidebarView(printers, network)),
      statusPanel_(new StatusInfoView(printers, network)) {
  setObjectName(QStringLiteral("mainWindow"));
  setWindowTitle(QCoreApplication::translate("Localizable", "statusMonitor"));
  setWindowIcon(pictures::applicationIcon());

  // The printer list widens to its longest label before a row wraps.
  auto* sidebarColumn =
      new ColumnFrame(sidebar_, QSize(kSidebarMinWidth, 0), kSidebarMaxWidth, ColumnFrame::Width::preferred);
  sidebarColumn->setObjectName(QStringLiteral("sidebarColumn"));
  auto* detailColumn = new ColumnFrame(statusPanel_, QSize(kPanelMinWidth, kPanelMinHeight), kPanelMaxWidth);
  detailColumn->setObjectName(QStringLiteral("detailColumn"));
  auto* columns = new QSplitter(Qt::Horizontal);
  columns->setObjectName(QStringLiteral("columns"));
  columns->setChildrenCollapsible(false);
  columns->addWidget(sidebarColumn);
  columns->addWidget(detailColumn);
  columns->setStretchFactor(0, 0);
  columns->setStretchFactor(1, 1);
  setCentralWidget(columns);
  // Wider than both columns at their widest would only show empty space.
  setMaximumWidth(kSidebarMaxWidth + columns->handleWidth() + kPanelMaxWidth);
  // The sidebar at its ideal width (what its rows need), the panel at its
  // widest and ideal height, or what the content needs.
  const int sidebarWidth = sidebarColumn->minimumSizeHint().width();
  chosenHeight_ = kPanelIdealHeight;
  resize(sidebarWidth + columns->handleWidth() + kPanelMaxWidth, std::max(kPanelIdealHeight, minimumSizeHint().height()));
  columns->setSizes({sidebarWidth, kPanelMaxWidth});
  // Tab follows the reading order: the refresh arrow, the rows, then the
  // panel.
  QWidget::setTabOrder(sidebar_->lastInTabOrder(), statusPanel_->firstInTabOrder());
}

bool MainWindow::event(QEvent* event) {
  // The layout has taken the content's new needs by now (the window's
  // least size); a window grown for them shrinks back as far as they let
  // it.
  const bool handled = QMainWindow::event(event);
  if (event->type() == QEvent::LayoutRequest && isVisible()) {
    const int wanted = std::max(chosenHeight_, minimumHeight());
    if (height() != wanted) {
      resize(width(), wanted);
    }
  }
  return handled;
}

void MainWindow::resizeEvent(QResizeEvent* event) {
  QMainWindow::resizeEvent(event);
  // A height above the least is the one chosen; at the least, the content
  // decided it, and what was chosen before stands unless it was lower.
  const int height = event->size().height();
  chosenHeight_ = height > minimumHeight() ? height : std::min(chosenHeight_, height);
  const QScreen* shown = screen();
  if (!isVisible() || shown == nullptr || height == event->oldSize().height()) {
    return;
  }
  // Moved by the user since it was lifted: where they put it stands.
  if (lifted_ && pos() != liftedTo_) {
    lifted_ = false;
  }
  // A status that needs more height grows the window downwards: its foot
  // stays on the screen. Once it shrinks again it goes back down, as far as
  // where it was before.
  if (!lifted_ && height < event->oldSize().height()) {
    return;
  }
  const QRect screenArea = shown->availableGeometry();
  const QRect frame = frameGeometry();
  const int lowest = std::max(screenArea.top(), screenArea.bottom() - frame.height() + 1);
  const int top = lifted_ ? std::min(unliftedTop_, lowest) : std::min(frame.top(), lowest);
  if (top == frame.top()) {
    return;
  }
  if (!lifted_) {
    lifted_ = true;
    unliftedTop_ = frame.top();
  }
  move(x(), top);
  liftedTo_ = pos();
  lifted_ = top != unliftedTop_;
}

}  // namespace monitor_app
