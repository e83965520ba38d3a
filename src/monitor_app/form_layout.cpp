#include "monitor_app/form_layout.h"

namespace monitor_app {

QLabel* addFormRow(QGridLayout& grid, const QString& label, QWidget* control) {
  const int row = grid.rowCount();
  auto* text = new QLabel(label);
  text->setTextFormat(Qt::PlainText);
  text->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
  text->setBuddy(control);
  control->setFixedWidth(kFormFieldWidth);
  grid.addWidget(text, row, 0, Qt::AlignRight | Qt::AlignVCenter);
  grid.addWidget(control, row, 1, Qt::AlignLeft | Qt::AlignVCenter);
  return text;
}

}  // namespace monitor_app
