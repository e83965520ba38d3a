#pragma once
// The toner gauge: a caption, a ring whose green arc runs clockwise from
// twelve o'clock over the toner percentage, and the percentage in the
// middle. Redrawn whenever the printer model publishes a status.

#include <QWidget>

namespace monitor {
class PrinterModel;
}

namespace monitor_app {

class TonerRing : public QWidget {
  Q_OBJECT

 public:
  explicit TonerRing(const monitor::PrinterModel& printers, QWidget* parent = nullptr);

  // The ring's box: 80 by 80 inside a margin of 40.
  static constexpr int kRingSide = 80;
  static constexpr int kMargin = 40;
  static constexpr int kStrokeWidth = 5;

 protected:
  void paintEvent(QPaintEvent* event) override;

 private:
  void paintShadow(QPainter& painter, int span) const;

  const monitor::PrinterModel& printers_;
};

class TonerView : public QWidget {
  Q_OBJECT

 public:
  explicit TonerView(const monitor::PrinterModel& printers, QWidget* parent = nullptr);
};

}  // namespace monitor_app
