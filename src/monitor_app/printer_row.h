#pragma once
// One row of the printer list: the printer's label as it stands (plain
// text, wrapped when the column is narrow), white on a solid blue behind
// the text when the row's printer is the chosen one, the same while
// pressed.

#include <QAbstractButton>
#include <QString>

namespace monitor_app {

class PrinterRow : public QAbstractButton {
  Q_OBJECT

 public:
  explicit PrinterRow(const QString& label, QWidget* parent = nullptr);

  void setChosen(bool chosen);
  bool chosen() const { return chosen_; }

  QSize sizeHint() const override;
  QSize minimumSizeHint() const override;
  bool hasHeightForWidth() const override { return true; }
  int heightForWidth(int width) const override;

 protected:
  void paintEvent(QPaintEvent* event) override;

 private:
  QRect textBounds(int width) const;

  bool chosen_ = false;
};

}  // namespace monitor_app
