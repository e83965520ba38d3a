#include "monitor_app/sidebar_view.h"

#include <QCoreApplication>
#include <QHBoxLayout>
#include <QLabel>

#include "monitor/network_model.h"
#include "monitor/printer_model.h"
#include "monitor_app/alert.h"
#include "monitor_app/divider.h"
#include "monitor_app/focus_frame.h"
#include "monitor_app/pictures/pictures.h"
#include "monitor_app/printer_row.h"

namespace monitor_app {
namespace {

constexpr int kIconSide = 40;
constexpr int kRowFontSize = 15;
constexpr int kTitleFontSize = 22;

}  // namespace

SidebarView::SidebarView(monitor::PrinterModel& printers, monitor::NetworkModel& network, QWidget* parent)
    : QWidget(parent), printers_(printers), network_(network), refresh_(nullptr), rowLayout_(new QVBoxLayout) {
  setObjectName(QStringLiteral("sidebar"));
  auto* layout = new QVBoxLayout(this);
  layout->addWidget(divider());

  auto* header = new QHBoxLayout;
  header->setSpacing(5);
  auto* icon = new QLabel;
  icon->setObjectName(QStringLiteral("sidebarIcon"));
  icon->setTextFormat(Qt::PlainText);
  icon->setFixedSize(kIconSide, kIconSide + 1);
  icon->setPixmap(pictures::picture(QStringLiteral("icon"), QSize(kIconSide, kIconSide), devicePixelRatioF()));
  // Nudged 1 down, as the header is drawn.
  icon->setContentsMargins(0, 1, 0, 0);
  header->addWidget(icon);
  auto* title = new QLabel(QCoreApplication::translate("Localizable", "printerList"));
  title->setObjectName(QStringLiteral("printerListTitle"));
  title->setTextFormat(Qt::PlainText);
  QFont titleFont = title->font();
  // The toolkit's title font: large, regular weight.
  titleFont.setPixelSize(kTitleFontSize);
  title->setFont(titleFont);
  header->addWidget(title);
  auto* refreshButton = new FlatButton(QString());
  refreshButton->setObjectName(QStringLiteral("refresh"));
  const int arrowSide = 20;
  refreshButton->setIcon(QIcon(pictures::picture(QStringLiteral("arrow.clockwise"), QSize(arrowSide, arrowSide),
                                                 devicePixelRatioF(), palette().color(QPalette::ButtonText))));
  refreshButton->setIconSize(QSize(arrowSide, arrowSide));
  header->addWidget(refreshButton);
  refresh_ = refreshButton;
  header->addStretch();
  layout->addLayout(header);

  layout->addWidget(divider());
  layout->addLayout(rowLayout_);
  layout->addStretch();

  connect(refreshButton, &QPushButton::clicked, this, &SidebarView::refresh);
  connect(&printers_, &monitor::PrinterModel::printerListChanged, this, &SidebarView::rebuildRows);
  connect(&printers_, &monitor::PrinterModel::selectedPrinterChanged, this, &SidebarView::restyleRows);
  rebuildRows();
}

void SidebarView::refresh() {
  printers_.stopUpdateStatus();
  printers_.getPrinterList();
  openAlert(this, QCoreApplication::translate("Localizable", "refresh"), QCoreApplication::translate("Localizable", "printerListFreshed"), QCoreApplication::translate("Localizable", "ok"));
}

void SidebarView::choose(const monitor::Printer& printer) {
  printers_.setStatusInfo(monitor::StatusInfo(1, QString::fromUtf8(QT_TRANSLATE_NOOP("Localizable", "connecting")),
                                              QString(), 0));
  printers_.setSelectedPrinter(printer);
  printers_.setIsWakeUp(true);
  printers_.updateStatus(printer);
  network_.setShowNetworkSetting(false);
}

void SidebarView::rebuildRows() {
  // The old rows may be the sender of the click being handled: they go
  // once control is back in the event loop.
  for (const Row& row : rows_) {
    row.button->hide();
    rowLayout_->removeWidget(row.button);
    row.button->deleteLater();
  }
  rows_.clear();
  for (const monitor::Printer& printer : printers_.printerList()) {
    auto* button = new PrinterRow(printer.label);
    button->setObjectName(QStringLiteral("printerRow"));
    QFont rowFont = button->font();
    rowFont.setPixelSize(kRowFontSize);
    button->setFont(rowFont);
    rowLayout_->addWidget(button);
    connect(button, &PrinterRow::clicked, this, [this, printer] { choose(printer); });
    rows_.push_back({button, printer});
  }
  // New rows would come last in the Tab order, after the status panel:
  // they follow the refresh button, as they are read.
  QWidget* previous = refresh_;
  for (const Row& row : rows_) {
    QWidget::setTabOrder(previous, row.button);
    previous = row.button;
  }
  restyleRows();
}

QWidget* SidebarView::lastInTabOrder() const { return rows_.empty() ? refresh_ : rows_.back().button; }

void SidebarView::restyleRows() {
  // Restyled in place: the row that was tapped stays the same widget.
  const monitor::Printer& selected = printers_.selectedPrinter();
  for (const Row& row : rows_) {
    row.button->setChosen(row.printer == selected);
  }
}

}  // namespace monitor_app
