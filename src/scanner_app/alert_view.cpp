#include "scanner_app/alert_view.h"

#include <QDialogButtonBox>
#include <QLabel>
#include <QPushButton>
#include <QScreen>
#include <QVBoxLayout>
#include <algorithm>

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
  if (isVisible()) {
    layout()->activate();
    centreOverWindow();
  }
}

void AlertView::showEvent(QShowEvent* event) {
  QDialog::showEvent(event);
  centreOverWindow();
}

// Qt's own placement takes a made-up frame where the window has none (no
// window manager) and lands the alert off centre. Before the alert is mapped
// its frame is not known; the window's own frame stands for it.
void AlertView::centreOverWindow() {
  const QWidget* over = parentWidget() ? parentWidget()->window() : nullptr;
  if (!over || !over->isVisible()) return;
  const QRect overFrame = over->frameGeometry();
  const QRect overInside = over->geometry();
  const QSize frameSize = size() + overFrame.size() - overInside.size();
  QRect frame(QPoint(), frameSize);
  frame.moveCenter(overFrame.center());
  if (const QScreen* screen = over->screen()) {
    const QRect room = screen->availableGeometry();
    frame.moveLeft(std::clamp(frame.left(), room.left(), std::max(room.left(), room.right() - frame.width() + 1)));
    frame.moveTop(std::clamp(frame.top(), room.top(), std::max(room.top(), room.bottom() - frame.height() + 1)));
  }
  move(frame.topLeft());
}

QString AlertView::title() const { return title_->text(); }

QString AlertView::message() const { return message_->text(); }

}  // namespace scanner_app
