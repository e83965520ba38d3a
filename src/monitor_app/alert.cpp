#include "monitor_app/alert.h"

#include <QApplication>
#include <QDialogButtonBox>
#include <QFontMetrics>
#include <QLabel>
#include <QPushButton>
#include <QScreen>
#include <QVBoxLayout>

#include <algorithm>
#include <utility>

#include "monitor_app/text_wrap.h"

namespace monitor_app {
namespace {

// A message runs on one line up to this many average characters, then
// wraps (between words).
constexpr int kLineCharacters = 60;
// Room the window manager's title bar takes beside the title (icon and
// buttons), in lines of the title bar's font.
constexpr int kTitleBarControls = 8;

// Wide enough for the title in the title bar and as the heading, and for
// the message broken only between words.
int contentWidth(const QLabel& heading, const QLabel& text, const QScreen* screen) {
  const QFontMetrics titleBar(QApplication::font("QMdiSubWindowTitleBar"));
  const int titleWidth = std::max(heading.fontMetrics().horizontalAdvance(heading.text()),
                                  titleBar.horizontalAdvance(heading.text()) + kTitleBarControls * titleBar.height());
  int lineLimit = text.fontMetrics().averageCharWidth() * kLineCharacters;
  if (screen != nullptr) {
    lineLimit = std::min(lineLimit, screen->availableGeometry().width() / 2);
  }
  return std::max(titleWidth, widthBreakingBetweenWords(text.text(), text.font(), lineLimit));
}

}  // namespace

QDialog* openAlert(QWidget* over, const QString& title, const QString& message, const QString& button,
                   std::function<void()> dismissed) {
  QWidget* window = over != nullptr ? over->window() : nullptr;
  auto* alert = new QDialog(window);
  alert->setObjectName(QStringLiteral("alert"));
  alert->setAttribute(Qt::WA_DeleteOnClose);
  alert->setWindowModality(Qt::WindowModal);
  alert->setWindowTitle(title);

  auto* layout = new QVBoxLayout(alert);
  auto* heading = new QLabel(title);
  heading->setObjectName(QStringLiteral("alertTitle"));
  heading->setTextFormat(Qt::PlainText);
  heading->setAlignment(Qt::AlignCenter);
  QFont bold = heading->font();
  bold.setBold(true);
  heading->setFont(bold);
  auto* text = new QLabel(message);
  text->setObjectName(QStringLiteral("alertMessage"));
  text->setTextFormat(Qt::PlainText);
  text->setAlignment(Qt::AlignCenter);
  text->setWordWrap(true);
  text->setMinimumWidth(contentWidth(*heading, *text, window != nullptr ? window->screen() : nullptr));
  auto* buttons = new QDialogButtonBox(Qt::Horizontal);
  buttons->setCenterButtons(true);
  QPushButton* close = buttons->addButton(button, QDialogButtonBox::AcceptRole);
  close->setObjectName(QStringLiteral("alertButton"));
  close->setDefault(true);
  layout->addWidget(heading);
  layout->addWidget(text);
  layout->addWidget(buttons);
  QObject::connect(buttons, &QDialogButtonBox::accepted, alert, &QDialog::accept);
  if (dismissed) {
    QObject::connect(alert, &QDialog::finished, alert, [dismissed = std::move(dismissed)](int) { dismissed(); });
  }
  alert->open();
  return alert;
}

}  // namespace monitor_app
