#include "desktop/alert.h"

#include <QApplication>
#include <QDialogButtonBox>
#include <QFontMetrics>
#include <QLabel>
#include <QLayout>
#include <QPushButton>
#include <QScreen>
#include <QVBoxLayout>

#include <algorithm>

#include "desktop/text_wrap.h"
#include "desktop/wrapped_label.h"

namespace desktop {
namespace {

// A message runs on one line up to this many average characters, then
// wraps (between words).
constexpr int kLineCharacters = 60;
// Room the window manager's title bar takes beside the title (icon and
// buttons), in lines of the title bar's font.
constexpr int kTitleBarControls = 8;

QLabel* plainLabel(const char* name, QWidget* parent) {
  auto* label = new QLabel(parent);
  label->setObjectName(QLatin1String(name));
  label->setTextFormat(Qt::PlainText);
  label->setAlignment(Qt::AlignCenter);
  return label;
}

// The title whole, in the title bar and as the heading.
int titleWidth(const QLabel& heading) {
  const QFontMetrics titleBar(QApplication::font("QMdiSubWindowTitleBar"));
  return std::max(heading.fontMetrics().horizontalAdvance(heading.text()),
                  titleBar.horizontalAdvance(heading.text()) + kTitleBarControls * titleBar.height());
}

// The message's width: lines of at most about kLineCharacters (or half
// the screen, on a small one), where a longer word (a folder's path) breaks
// inside; a shorter message takes its own width.
int messageWidth(const WrappedLabel& text, const QScreen* screen) {
  int lineLimit = text.fontMetrics().averageCharWidth() * kLineCharacters;
  if (screen != nullptr) {
    lineLimit = std::min(lineLimit, screen->availableGeometry().width() / 2);
  }
  return std::min(oneLineWidth(text.text(), text.font()), lineLimit);
}

// Where an alert of `size` (without its frame) goes over `window`: its
// frame, taken to be as thick as the window's (before the alert is mapped
// its own is not known), centred on the window's frame and kept on the
// screen's free area.
QPoint placeOver(const QWidget& window, QSize size) {
  const QRect windowFrame = window.frameGeometry();
  const QSize frameSize = size + windowFrame.size() - window.geometry().size();
  QRect frame(QPoint(), frameSize);
  frame.moveCenter(windowFrame.center());
  if (const QScreen* screen = window.screen()) {
    const QRect room = screen->availableGeometry();
    frame.moveLeft(std::clamp(frame.left(), room.left(), std::max(room.left(), room.right() - frame.width() + 1)));
    frame.moveTop(std::clamp(frame.top(), room.top(), std::max(room.top(), room.bottom() - frame.height() + 1)));
  }
  return frame.topLeft();
}

}  // namespace

Alert::Alert(QWidget* over, const QString& button) : QDialog(over != nullptr ? over->window() : nullptr) {
  setObjectName(QStringLiteral("alert"));
  setWindowModality(Qt::WindowModal);

  title_ = plainLabel("alertTitle", this);
  QFont bold = title_->font();
  bold.setBold(true);
  title_->setFont(bold);
  message_ = new WrappedLabel(this);
  message_->setObjectName(QStringLiteral("alertMessage"));
  message_->setAlignment(Qt::AlignCenter);
  auto* buttons = new QDialogButtonBox(Qt::Horizontal, this);
  buttons->setCenterButtons(true);
  button_ = buttons->addButton(button, QDialogButtonBox::AcceptRole);
  button_->setObjectName(QStringLiteral("alertButton"));
  button_->setDefault(true);
  connect(buttons, &QDialogButtonBox::accepted, this, &QDialog::accept);

  auto* layout = new QVBoxLayout(this);
  layout->addWidget(title_);
  // The message keeps the width its line breaks were chosen for, also when
  // the title makes the alert wider: a wider line could break elsewhere.
  layout->addWidget(message_, 0, Qt::AlignHCenter);
  layout->addWidget(buttons);
  layout->setSizeConstraint(QLayout::SetFixedSize);
}

void Alert::setTexts(const QString& title, const QString& message) {
  setWindowTitle(title);
  title_->setText(title);
  message_->setText(message);
  fitTexts();
  if (isVisible()) {
    layout()->activate();
    placeOverWindow();
  }
}

QString Alert::title() const { return title_->text(); }

QString Alert::message() const { return message_->text(); }

void Alert::fitTexts() {
  const QScreen* screen = parentWidget() != nullptr ? parentWidget()->screen() : this->screen();
  title_->setMinimumWidth(titleWidth(*title_));
  message_->setFixedWidth(messageWidth(*message_, screen));
}

void Alert::showEvent(QShowEvent* event) {
  QDialog::showEvent(event);
  placeOverWindow();
}

// Qt's own placement takes a made-up frame where the window has none (no
// window manager) and lands the alert off centre.
void Alert::placeOverWindow() {
  const QWidget* over = parentWidget() != nullptr ? parentWidget()->window() : nullptr;
  if (over == nullptr || !over->isVisible()) {
    return;
  }
  move(placeOver(*over, size()));
}

}  // namespace desktop
