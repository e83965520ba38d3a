#include "monitor_app/main_window.h"

#include <QCoreApplication>
#include <QSplitter>

#include <algorithm>

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

  sidebar_->setMinimumWidth(kSidebarMinWidth);
  sidebar_->setMaximumWidth(kSidebarMaxWidth);
  statusPanel_->setMinimumSize(kPanelMinWidth, kPanelMinHeight);
  statusPanel_->setMaximumWidth(kPanelMaxWidth);

  auto* columns = new QSplitter(Qt::Horizontal);
  columns->setObjectName(QStringLiteral("columns"));
  columns->setChildrenCollapsible(false);
  columns->addWidget(sidebar_);
  columns->addWidget(statusPanel_);
  columns->setStretchFactor(0, 0);
  columns->setStretchFactor(1, 1);
  setCentralWidget(columns);
  resize(kSidebarMinWidth + kPanelMaxWidth + columns->handleWidth(),
         std::max(kPanelIdealHeight, sizeHint().height()));
  columns->setSizes({kSidebarMinWidth, kPanelMaxWidth});
}

}  // namespace monitor_app
