#include "scanner_app/alert_view.h"

#include <QDialogButtonBox>
#include <QLabel>
#include <QPushButton>
#include <QVBoxLayout>

#include "scan/message_keys.h"
#include "scanner_app/string_table.h"

namespace scanner_app {
namespace {

QLabel* plainLabel(QWidget* parent) {
  auto* label = new QLabel(parent);
  label->setTextFormat(Qt::PlainText);
  label->setWordWrap(true);
  label->setTextInteractionFlags(Qt::TextSelectableByMouse);
  label->setMinimumWidth(280);
  return label;
}

}  // namespace

AlertView::AlertView(QWidget* parent) : QDialog(parent) {
  setModal(true);
  title_ = plainLabel(this);
  title_->setObjectName(QStringLiteral("alertTitle"));
  QFont bold = title_->font();
  bold.setBold(true);
  title_->setFont(bold);
  message_ = plainLabel(this);
  message_->setObjectName(QStringLiteral("alertMessage"));

  auto* buttons = new QDialogButtonBox(this);
  ok_ = buttons->addButton(text(scan::keys::kOk), QDialogButtonBox::AcceptRole);
  ok_->setDefault(true);
  connect(buttons, &QDialogButtonBox::accepted, this, &QDialog::accept);

  auto* layout = new QVBoxLayout(this);
  layout->addWidget(title_);
  layout->addWidget(message_);
  layout->addWidget(buttons);
  layout->setSizeConstraint(QLayout::SetFixedSize);
}

void AlertView::setTexts(const QString& title, const QString& message) {
  title_->setText(title);
  message_->setText(message);
}

QString AlertView::title() const { return title_->text(); }

QString AlertView::message() const { return message_->text(); }

}  // namespace scanner_app
