#include "monitor_app/toner_view.h"

#include <QCoreApplication>
#include <QImage>
#include <QLabel>
#include <QPainter>
#include <QVBoxLayout>

#include "monitor/printer_model.h"
#include "monitor_app/soft_shadow.h"
#include "monitor_app/status_look.h"

namespace monitor_app {
namespace {

constexpr int kShadowBlurRadius = 3;
constexpr int kShadowOffsetY = 3;
constexpr qreal kShadowOpacity = 0.1;
constexpr int kTwelveOClock = 90 * 16;

QRectF ringBox() {
  return QRectF(TonerRing::kMargin, TonerRing::kMargin, TonerRing::kRingSide, TonerRing::kRingSide);
}

void strokeArc(QPainter& painter, int span, const QColor& colour) {
  QPen pen(colour, TonerRing::kStrokeWidth, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin);
  painter.setPen(pen);
  painter.setBrush(Qt::NoBrush);
  painter.drawArc(ringBox(), kTwelveOClock, span);
}

}  // namespace

TonerRing::TonerRing(const monitor::PrinterModel& printers, QWidget* parent) : QWidget(parent), printers_(printers) {
  setObjectName(QStringLiteral("tonerRing"));
  setFixedSize(kRingSide + 2 * kMargin, kRingSide + 2 * kMargin);
  connect(&printers, &monitor::PrinterModel::statusInfoChanged, this, qOverload<>(&QWidget::update));
}

void TonerRing::paintShadow(QPainter& painter, int span) const {
  // The shadow is the arc's alone: drawn from the arc's shape, not from
  // the whole gauge, so the text casts none.
  const qreal ratio = devicePixelRatioF();
  QImage shape(size() * ratio, QImage::Format_ARGB32_Premultiplied);
  shape.setDevicePixelRatio(ratio);
  shape.fill(Qt::transparent);
  {
    QPainter arc(&shape);
    arc.setRenderHint(QPainter::Antialiasing);
    strokeArc(arc, span, kTonerGreen);
  }
  painter.save();
  painter.setOpacity(kShadowOpacity);
  painter.drawImage(QPointF(0, kShadowOffsetY), softShadow(shape, static_cast<int>(kShadowBlurRadius * ratio)));
  painter.restore();
}

void TonerRing::paintEvent(QPaintEvent* /*event*/) {
  const int toner = printers_.statusInfo().toner;
  QPainter painter(this);
  painter.setRenderHint(QPainter::Antialiasing);

  QColor track(Qt::black);
  track.setAlphaF(0.1F);
  QPen trackPen(track, kStrokeWidth);
  painter.setPen(trackPen);
  painter.setBrush(Qt::NoBrush);
  painter.drawEllipse(ringBox());

  // At 0 a round-capped arc of no length would still leave a dot.
  const int span = tonerArcSpan(toner);
  if (span != 0) {
    paintShadow(painter, span);
    strokeArc(painter, span, kTonerGreen);
  }

  QFont bold = font();
  bold.setPixelSize(14);
  bold.setBold(true);
  painter.setFont(bold);
  painter.setPen(palette().color(QPalette::WindowText));
  painter.drawText(ringBox(), Qt::AlignCenter, tonerText(toner));
}

TonerView::TonerView(const monitor::PrinterModel& printers, QWidget* parent)
    : QWidget(parent) {
  setObjectName(QStringLiteral("toner"));
  auto* layout = new QVBoxLayout(this);
  layout->setContentsMargins(0, 0, 0, 0);
  layout->setSpacing(5);
  auto* caption = new QLabel(QCoreApplication::translate("Localizable", "tonerInfo"));
  caption->setObjectName(QStringLiteral("tonerCaption"));
  caption->setTextFormat(Qt::PlainText);
  QFont small = caption->font();
  small.setPixelSize(10);
  caption->setFont(small);
  caption->setContentsMargins(0, 10, 0, 0);
  layout->addWidget(caption, 0, Qt::AlignLeft);
  layout->addWidget(new TonerRing(printers), 0, Qt::AlignLeft);
}

}  // namespace monitor_app
