#include "monitor_app/ap_setting_view.h"

#include <QCoreApplication>
#include <QGridLayout>

#include "monitor/network_model.h"
#include "monitor_app/alert.h"
#include "monitor_app/form_layout.h"
#include "monitor_app/form_rules.h"
#include "monitor_app/ipv4_check.h"
#include "monitor_app/string_table.h"

namespace monitor_app {

APSettingView::APSettingView(monitor::NetworkModel& network, QWidget* parent)
    : QWidget(parent),
      network_(network),
      apName_(new QLineEdit),
      encryption_(new QComboBox),
      apPassword_(new QLineEdit) {
  setObjectName(QStringLiteral("apForm"));
  const monitor::APSetting& record = network_.apSetting();
  ip_ = record.ip;
  mask_ = record.mask;
  gateway_ = record.gateway;

  apName_->setObjectName(QStringLiteral("apName"));
  apName_->setPlaceholderText(QCoreApplication::translate("Localizable", "请输入打印机热点的名称"));
  apName_->setText(record.APName);
  encryption_->setObjectName(QStringLiteral("encryption"));
  encryption_->addItem(QCoreApplication::translate("Localizable", "不加密"));
  encryption_->addItem(QCoreApplication::translate("Localizable", "WAP2PSK_AES"));
  encryption_->setCurrentIndex(encryptionRowFor(record.encryptMode));
  apPassword_->setObjectName(QStringLiteral("apPassword"));
  apPassword_->setPlaceholderText(QCoreApplication::translate("Localizable", "请输入打印机热点的密码"));
  apPassword_->setText(record.APPassword);

  auto* rows = new QGridLayout;
  addFormRow(*rows, QCoreApplication::translate("Localizable", "热点名称"), apName_);
  addFormRow(*rows, QCoreApplication::translate("Localizable", "加密方式"), encryption_);
  addFormRow(*rows, QCoreApplication::translate("Localizable", "密码"), apPassword_);

  QPushButton* ok = formButton(QCoreApplication::translate("Localizable", "确定"), "ok");
  QPushButton* cancelButton = formButton(QCoreApplication::translate("Localizable", "取消"), "cancel");
  layOutForm(*this, rows, ok, cancelButton);

  connect(ok, &QPushButton::clicked, this, &APSettingView::confirm);
  connect(cancelButton, &QPushButton::clicked, this, &APSettingView::cancel);
}

void APSettingView::confirm() {
  const QString title = QCoreApplication::translate("Localizable", "错误");
  const QString button = QCoreApplication::translate("Localizable", "OK");
  if (const char* fault = addressFault(ip_, mask_, gateway_)) {
    openAlert(this, title, QCoreApplication::translate("Localizable", fault), button);
    return;
  }
  monitor::APSetting record = network_.apSetting();
  record.APName = apName_->text();
  record.encryptMode = encryptModeFor(encryption_->currentIndex());
  record.ip = ip_;
  record.mask = mask_;
  record.gateway = gateway_;
  record.APPassword = apPassword_->text();
  network_.setApSetting(record);
  const monitor::WifiResult result = network_.setAPInfo();
  openAlert(this, localized(result.title), localized(result.message), button);
}

void APSettingView::cancel() { network_.setShowNetworkSetting(false); }

}  // namespace monitor_app
