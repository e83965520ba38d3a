#include "monitor_app/printer_row.h"

#include <QFontMetrics>
#include <QPainter>

#include <algorithm>

#include "monitor_app/focus_frame.h"
#include "monitor_app/status_look.h"

namespace monitor_app {
namespace {

// Drawn as plain text: never read as markup or shortcut markers.
constexpr int kTextFlags = Qt::AlignLeft | Qt::AlignTop | Qt::TextWordWrap;

// A label has no spaces ("KTR6620LXV(192.0.2.11)"): a narrow column may
// break it before the attachment in brackets.
QString breakable(const QString& label) {
  QString shown = label;
  return shown.replace(QLatin1Char('('), QStringLiteral("\u200B("));
}

}  // namespace

PrinterRow::PrinterRow(const QString& label, QWidget* parent) : QAbstractButton(parent) {
  setText(label);
  setCursor(Qt::PointingHandCursor);
  QSizePolicy policy(QSizePolicy::Preferred, QSizePolicy::Preferred);
  policy.setHeightForWidth(true);
  setSizePolicy(policy);
}

void PrinterRow::setChosen(bool chosen) {
  chosen_ = chosen;
  update();
}

QRect PrinterRow::textBounds(int width) const {
  return fontMetrics().boundingRect(QRect(0, 0, std::max(width, 1), 10000), kTextFlags, breakable(text()));
}

// Wide enough for the label on one line.
QSize PrinterRow::sizeHint() const { return textBounds(10000).size(); }

QSize PrinterRow::minimumSizeHint() const { return {fontMetrics().averageCharWidth() * 4, fontMetrics().height()}; }

int PrinterRow::heightForWidth(int width) const { return textBounds(width).height(); }

void PrinterRow::paintEvent(QPaintEvent* /*event*/) {
  QPainter painter(this);
  const QRect bounds = textBounds(width());
  if (chosen_) {
    painter.fillRect(bounds, kBlue);
    painter.setPen(Qt::white);
  } else {
    painter.setPen(palette().color(QPalette::WindowText));
  }
  painter.drawText(QRect(0, 0, width(), height()), kTextFlags, breakable(text()));
  drawFocusFrame(painter, *this, rect());
}

}  // namespace monitor_app
