#include "monitor_app/setting_view.h"

#include <QCoreApplication>
#include <QVBoxLayout>

#include "monitor_app/ap_setting_view.h"
#include "monitor_app/client_mode_setting_view.h"

namespace monitor_app {

SettingView::SettingView(monitor::NetworkModel& network, QWidget* parent) : QWidget(parent), tabs_(new QTabWidget) {
  setObjectName(QStringLiteral("wifiPane"));
  // Covers what lies beneath in the window's background colour.
  setAutoFillBackground(true);
  setBackgroundRole(QPalette::Window);
  auto* layout = new QVBoxLayout(this);
  layout->setContentsMargins(0, 0, 0, 0);
  tabs_->setObjectName(QStringLiteral("wifiTabs"));
  tabs_->addTab(new APSettingView(network), QCoreApplication::translate("Localizable", "apMode"));
  tabs_->addTab(new ClientModeSettingView(network), QCoreApplication::translate("Localizable", "clientMode"));
  tabs_->setCurrentIndex(0);
  layout->addWidget(tabs_);
}

}  // namespace monitor_app
