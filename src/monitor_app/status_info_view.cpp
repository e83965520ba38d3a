#include "monitor_app/status_info_view.h"

#include <QCoreApplication>
#include <QEvent>
#include <QHBoxLayout>
#include <QMetaObject>
#include <QVBoxLayout>
#include <QWindow>

#include <algorithm>

#include "desktop/wrapped_label.h"
#include "monitor/network_model.h"
#include "monitor/printer_model.h"
#include "monitor_app/alert.h"
#include "monitor_app/divider.h"
#include "monitor_app/focus_frame.h"
#include "monitor_app/pictures/pictures.h"
#include "monitor_app/setting_view.h"
#include "monitor_app/status_look.h"
#include "monitor_app/status_text.h"
#include "monitor_app/string_table.h"
#include "monitor_app/toner_view.h"

namespace monitor_app {
namespace {

constexpr int kPictureWidth = 200;
constexpr int kPictureHeight = 180;
constexpr int kLargeTitleSize = 26;
constexpr int kHeadlineSize = 13;
constexpr int kSpacing = 20;
constexpr int kHeaderHeight = 20;
constexpr int kHeaderNamePadding = 10;

template <typename Label = QLabel>
Label* plainLabel(const QString& objectName, int pixelSize = 0, bool bold = false) {
  auto* label = new Label;
  label->setObjectName(objectName);
  label->setTextFormat(Qt::PlainText);
  QFont font = label->font();
  if (pixelSize > 0) {
    font.setPixelSize(pixelSize);
  }
  font.setBold(bold);
  label->setFont(font);
  return label;
}

void setTextColour(QLabel& label, const QColor& colour) {
  QPalette palette = label.palette();
  palette.setColor(QPalette::WindowText, colour);
  label.setPalette(palette);
}

}  // namespace

StatusInfoView::StatusInfoView(monitor::PrinterModel& printers, monitor::NetworkModel& network, QWidget* parent)
    : QWidget(parent), printers_(printers), network_(network), noPrinterAlertDue_(printers.printerList().isEmpty()) {
  setObjectName(QStringLiteral("statusPanel"));
  auto* layout = new QVBoxLayout(this);
  layout->setSpacing(0);

  auto* header = new QHBoxLayout;
  headerName_ = plainLabel(QStringLiteral("headerName"), 15);
  headerName_->setContentsMargins(kHeaderNamePadding, kHeaderNamePadding, kHeaderNamePadding, kHeaderNamePadding);
  header->addWidget(headerName_, 0, Qt::AlignVCenter);
  header->addStretch();
  networkSetting_ = new FlatButton(QCoreApplication::translate("Localizable", "networkSetting"));
  networkSetting_->setObjectName(QStringLiteral("networkSetting"));
  QFont bold = networkSetting_->font();
  bold.setPixelSize(14);
  bold.setBold(true);
  networkSetting_->setFont(bold);
  header->addWidget(networkSetting_, 0, Qt::AlignVCenter);
  header->addSpacing(5);
  layout->addLayout(header);
  // The padded name is taller than a kHeaderHeight row: the row takes the
  // name's height and the gap below it shrinks by as much, so the divider
  // stays where a 20 high row and the spacing put it and nothing of the
  // name is cut. The row keeps its height without a name (no printer).
  headerName_->setMinimumHeight(headerName_->fontMetrics().height() + 2 * kHeaderNamePadding);
  const int headerHeight = std::max(headerName_->minimumHeight(), networkSetting_->sizeHint().height());
  layout->addSpacing(std::max(0, kHeaderHeight + kSpacing - headerHeight));
  layout->addWidget(divider());
  layout->addSpacing(kSpacing);

  informationRow_ = new QWidget;
  informationRow_->setObjectName(QStringLiteral("informationRow"));
  auto* row = new QHBoxLayout(informationRow_);
  row->setContentsMargins(0, 0, 0, 0);
  row->setSpacing(20);
  printerBlock_ = makePrinterBlock();
  row->addWidget(printerBlock_, 0, Qt::AlignTop);
  row->addWidget(makeStatusBlock(), 1, Qt::AlignTop);
  body_ = new QStackedWidget;
  body_->addWidget(informationRow_);
  layout->addWidget(body_, 1);

  connect(networkSetting_, &QPushButton::clicked, this, &StatusInfoView::openNetworkSetting);
  connect(&printers_, &monitor::PrinterModel::selectedPrinterChanged, this, &StatusInfoView::showPrinter);
  connect(&printers_, &monitor::PrinterModel::statusInfoChanged, this, &StatusInfoView::showStatus);
  connect(&network_, &monitor::NetworkModel::showNetworkSettingChanged, this, &StatusInfoView::showOrHidePane);
  showPrinter();
  showStatus();
  showOrHidePane();
}

QWidget* StatusInfoView::makePrinterBlock() {
  auto* block = new QWidget;
  block->setObjectName(QStringLiteral("printerBlock"));
  block->setFixedWidth(kPictureWidth + 10);
  auto* layout = new QVBoxLayout(block);
  layout->setContentsMargins(5, 5, 5, 5);
  layout->setSpacing(10);
  picture_ = plainLabel(QStringLiteral("printerPicture"));
  picture_->setFixedSize(kPictureWidth, kPictureHeight);
  layout->addWidget(picture_);
  blockName_ = plainLabel(QStringLiteral("printerName"));
  blockName_->setContentsMargins(10, 0, 0, 0);
  layout->addWidget(blockName_);
  attachment_ = plainLabel(QStringLiteral("attachment"));
  attachment_->setContentsMargins(10, 0, 0, 0);
  layout->addWidget(attachment_);
  address_ = plainLabel(QStringLiteral("address"));
  address_->setContentsMargins(10, 0, 0, 0);
  layout->addWidget(address_);
  layout->addStretch();
  return block;
}

QWidget* StatusInfoView::makeStatusBlock() {
  auto* block = new QWidget;
  block->setObjectName(QStringLiteral("statusBlock"));
  auto* layout = new QVBoxLayout(block);
  layout->setContentsMargins(0, 0, 0, 0);
  layout->setSpacing(5);
  QLabel* caption = plainLabel(QStringLiteral("currentStatus"), 10);
  caption->setText(QCoreApplication::translate("Localizable", "currentStatus"));
  layout->addWidget(caption);
  message_ = plainLabel<desktop::WrappedLabel>(QStringLiteral("statusMessage"), kLargeTitleSize);
  message_->setContentsMargins(10, 10, 10, 10);
  layout->addWidget(message_);
  advice_ = plainLabel<desktop::WrappedLabel>(QStringLiteral("statusAdvice"), kHeadlineSize, true);
  advice_->setContentsMargins(20, 0, 0, 15);
  layout->addWidget(advice_);
  layout->addWidget(divider());
  layout->addWidget(new TonerView(printers_));
  layout->addStretch();
  return block;
}

void StatusInfoView::showPrinter() {
  const monitor::Printer& printer = printers_.selectedPrinter();
  headerName_->setText(printer.name);
  networkSetting_->setVisible(printer.type == monitor::kUsbType);
  picture_->setPixmap(pictures::picture(printer.name, picture_->size(), devicePixelRatioF()));
  blockName_->setText(printer.name);
  if (printer.type == monitor::kNetType) {
    attachment_->setText(QCoreApplication::translate("Localizable", "netPrinter"));
    address_->setText(QStringLiteral("IP：") + printer.ip);
    attachment_->show();
    address_->show();
  } else if (printer.type == monitor::kUsbType) {
    attachment_->setText(QCoreApplication::translate("Localizable", "usbPrinter"));
    attachment_->show();
    address_->hide();
  } else {
    attachment_->hide();
    address_->hide();
  }
  // Without a printer the block would show nothing: the status, the
  // no-printer heading, takes its room rather than wrapping beside it.
  printerBlock_->setVisible(!printer.name.isEmpty() || printer.type == monitor::kUsbType ||
                            printer.type == monitor::kNetType);
}

void StatusInfoView::showStatus() {
  const monitor::StatusInfo& status = printers_.statusInfo();
  const QColor colour = levelColour(status.level, palette().color(QPalette::WindowText));
  message_->setText(shownStatusText(status.message));
  advice_->setText(shownStatusText(status.discription));
  setTextColour(*message_, colour);
  setTextColour(*advice_, colour);
}

void StatusInfoView::changeEvent(QEvent* event) {
  QWidget::changeEvent(event);
  if (event->type() == QEvent::PaletteChange && message_ != nullptr) {
    showStatus();
  }
}

void StatusInfoView::showEvent(QShowEvent* event) {
  QWidget::showEvent(event);
  if (!noPrinterAlertDue_) {
    return;
  }
  noPrinterAlertDue_ = false;
  // Only once the window is on the screen where the window manager put
  // it, so the alert opens over it and not where the window was before.
  QWindow* shown = window()->windowHandle();
  if (shown == nullptr || shown->isExposed()) {
    openNoPrinterAlert();
  } else {
    shown->installEventFilter(this);
  }
}

bool StatusInfoView::eventFilter(QObject* watched, QEvent* event) {
  if (event->type() == QEvent::Expose && watched == window()->windowHandle() &&
      window()->windowHandle()->isExposed()) {
    watched->removeEventFilter(this);
    openNoPrinterAlert();
  }
  return QWidget::eventFilter(watched, event);
}

void StatusInfoView::openNoPrinterAlert() {
  // After the event being handled, so the window has its place.
  QMetaObject::invokeMethod(
      this,
      [this] {
        openAlert(this, QCoreApplication::translate("Localizable", "error"),
                  QCoreApplication::translate("Localizable", "noPrinterError"),
                  QCoreApplication::translate("Localizable", "ok"));
      },
      Qt::QueuedConnection);
}

void StatusInfoView::showOrHidePane() {
  if (network_.showNetworkSetting()) {
    // Built afresh on every opening, so the forms start from the model's
    // records; pressing the button again leaves an open pane as it is.
    if (pane_.isNull()) {
      pane_ = new SettingView(network_);
      body_->addWidget(pane_);
      body_->setCurrentWidget(pane_);
    }
    return;
  }
  if (!pane_.isNull()) {
    // The pane may hold the button whose click closed it.
    body_->setCurrentWidget(informationRow_);
    body_->removeWidget(pane_);
    pane_->hide();
    pane_->deleteLater();
    pane_.clear();
  }
}

void StatusInfoView::openNetworkSetting() {
  const monitor::WifiResult accessPoint = network_.getAPInfo();
  const monitor::WifiResult clientMode = network_.getClientModeInfo();
  network_.getHotSpotList();
  network_.setShowNetworkSetting(true);
  // The pane opens whatever the printer answered, but a failed read is said
  // over it: the forms would otherwise show old or initial values as the
  // printer's, and their OK would send them. The access-point texts come
  // back as keys; the client-mode ones already looked up.
  if (accessPoint.showAlert) {
    openAlert(this, localized(accessPoint.title), localized(accessPoint.message),
              QCoreApplication::translate("Localizable", "ok"));
  } else if (clientMode.showAlert) {
    openAlert(this, clientMode.title, clientMode.message, QCoreApplication::translate("Localizable", "ok"));
  }
}

}  // namespace monitor_app
