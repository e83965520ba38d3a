#include "monitor_app/client_mode_setting_view.h"

#include <QCoreApplication>
#include <QGridLayout>

#include "monitor/network_model.h"
#include "monitor_app/alert.h"
#include "monitor_app/form_layout.h"
#include "monitor_app/form_rules.h"
#include "monitor_app/ipv4_check.h"
#include "monitor_app/pictures/pictures.h"

namespace monitor_app {
namespace {

constexpr int kSignalIconSide = 16;
const QString kNoAddress = QStringLiteral("0.0.0.0");

QLineEdit* field(const QString& objectName, const QString& placeholder, const QString& text) {
  auto* edit = new QLineEdit(text);
  edit->setObjectName(objectName);
  edit->setPlaceholderText(placeholder);
  return edit;
}

// The signal sign in the colour of the text beside it: the highlighted row
// of the open picker draws its text (and so the sign) in the highlight's
// text colour.
QIcon signalIcon(const QString& name, const QPalette& palette, qreal devicePixelRatio) {
  const QSize size(kSignalIconSide, kSignalIconSide);
  QIcon icon(pictures::picture(name, size, devicePixelRatio, palette.color(QPalette::Text)));
  const QPixmap highlighted = pictures::picture(name, size, devicePixelRatio, palette.color(QPalette::HighlightedText));
  // Item views draw a highlighted row's icon in the selected mode, menus
  // (the picker's list in some styles) in the active one.
  icon.addPixmap(highlighted, QIcon::Selected);
  icon.addPixmap(highlighted, QIcon::Active);
  return icon;
}

}  // namespace

ClientModeSettingView::ClientModeSettingView(monitor::NetworkModel& network, QWidget* parent)
    : QWidget(parent), network_(network), hotSpots_(new QComboBox), addressing_(new QComboBox) {
  setObjectName(QStringLiteral("clientForm"));
  const monitor::ClietModeSetting& record = network_.clietModeSetting();
  const QList<monitor::HotSpot>& list = network_.hotSpotList();

  hotSpots_->setObjectName(QStringLiteral("hotSpots"));
  hotSpots_->setIconSize(QSize(kSignalIconSide, kSignalIconSide));
  for (const monitor::HotSpot& hotSpot : list) {
    const QString icon = signalIconName(hotSpot.signalDB);
    // Item texts are plain: a network's name shows exactly as it is.
    hotSpots_->addItem(signalIcon(icon, hotSpots_->palette(), devicePixelRatioF()), hotSpot.name, hotSpot.id);
    hotSpots_->setItemData(hotSpots_->count() - 1, icon, Qt::AccessibleDescriptionRole);
  }
  hotSpots_->setCurrentIndex(hotSpotRowFor(list, record.orderInList));

  wifiPassword_ = field(QStringLiteral("wifiPassword"), QCoreApplication::translate("Localizable", "请输入密码"),
                        record.WifiPassword);
  wifiPassword_->setEchoMode(QLineEdit::Password);
  addressing_->setObjectName(QStringLiteral("ipSetType"));
  addressing_->addItem(QCoreApplication::translate("Localizable", "DHCP"));
  addressing_->addItem(QCoreApplication::translate("Localizable", "手动设置"));
  addressing_->setCurrentIndex(ipSetTypeRowFor(record.ipSetType));
  ip_ = field(QStringLiteral("ip"), QCoreApplication::translate("Localizable", "请输入IP地址"), record.ip);
  mask_ = field(QStringLiteral("mask"), QCoreApplication::translate("Localizable", "请输入子网掩码"), record.mask);
  gateway_ = field(QStringLiteral("gateway"), QCoreApplication::translate("Localizable", "请输入网关"), record.gateway);

  auto* rows = new QGridLayout;
  addFormRow(*rows, QCoreApplication::translate("Localizable", "可选择的热点"), hotSpots_);
  addFormRow(*rows, QCoreApplication::translate("Localizable", "热点密码"), wifiPassword_);
  addFormRow(*rows, QCoreApplication::translate("Localizable", "IP获取方式"), addressing_);
  addFormRow(*rows, QCoreApplication::translate("Localizable", "IP"), ip_);
  addFormRow(*rows, QCoreApplication::translate("Localizable", "子网掩码"), mask_);
  addFormRow(*rows, QCoreApplication::translate("Localizable", "网关"), gateway_);

  ok_ = formButton(QCoreApplication::translate("Localizable", "确定"), "ok");
  QPushButton* close = formButton(QCoreApplication::translate("Localizable", "关闭"), "close");
  layOutForm(*this, rows, ok_, close);

  addressingPicked();
  enableOk();
  // Connected only now: opening the form is not a pick.
  connect(hotSpots_, &QComboBox::currentIndexChanged, this, &ClientModeSettingView::hotSpotPicked);
  connect(addressing_, &QComboBox::currentIndexChanged, this, &ClientModeSettingView::addressingPicked);
  connect(ok_, &QPushButton::clicked, this, &ClientModeSettingView::confirm);
  connect(close, &QPushButton::clicked, this, &ClientModeSettingView::closePane);
}

void ClientModeSettingView::hotSpotPicked(int row) {
  wifiPassword_->setText(passwordAfterPick(network_.hotSpotList(), row, network_.clietModeSetting()));
  enableOk();
}

void ClientModeSettingView::enableOk() {
  // OK needs a hot spot that the list holds: the printer is sent the name
  // at the chosen position.
  ok_->setEnabled(hotSpotRowFor(network_.hotSpotList(), hotSpots_->currentIndex()) >= 0);
}

void ClientModeSettingView::addressingPicked() {
  const bool manual = addressing_->currentIndex() == kManualRow;
  ip_->setEnabled(manual);
  mask_->setEnabled(manual);
  gateway_->setEnabled(manual);
}

void ClientModeSettingView::confirm() {
  const bool manual = addressing_->currentIndex() == kManualRow;
  if (manual) {
    if (const char* fault = addressFault(ip_->text(), mask_->text(), gateway_->text())) {
      showResult(QCoreApplication::translate("Localizable", "错误"), QCoreApplication::translate("Localizable", fault));
      return;
    }
  }
  monitor::ClietModeSetting record = network_.clietModeSetting();
  record.WifiPassword = wifiPassword_->text();
  record.ip = manual ? ip_->text() : kNoAddress;
  record.mask = manual ? mask_->text() : kNoAddress;
  record.gateway = manual ? gateway_->text() : kNoAddress;
  record.ipSetType = manual ? QStringLiteral("S") : QStringLiteral("D");
  record.orderInList = hotSpots_->currentIndex();
  network_.setClietModeSetting(record);
  // The model has looked its texts up already.
  const monitor::WifiResult result = network_.setClientModeInfo();
  showResult(result.title, result.message);
}

void ClientModeSettingView::showResult(const QString& title, const QString& message) {
  // Dismissing closes the pane and with it this form: the alert keeps the
  // model, not the form.
  openAlert(this, title, message, QCoreApplication::translate("Localizable", "OK"),
            [&network = network_] { network.setShowNetworkSetting(false); });
}

void ClientModeSettingView::closePane() { network_.setShowNetworkSetting(false); }

}  // namespace monitor_app
