#include "monitor_app/form_layout.h"

#include <QHBoxLayout>
#include <QVBoxLayout>

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

QPushButton* formButton(const QString& text, const char* name) {
  auto* button = new QPushButton(text);
  button->setObjectName(QString::fromLatin1(name));
  return button;
}

void layOutForm(QWidget& form, QGridLayout* rows, QPushButton* ok, QPushButton* other) {
  auto* buttons = new QHBoxLayout;
  buttons->addStretch();
  buttons->addWidget(ok);
  buttons->addWidget(other);
  buttons->addStretch();
  auto* layout = new QVBoxLayout(&form);
  layout->setContentsMargins(20, 20, 20, 20);
  layout->addStretch();
  layout->addLayout(rows);
  layout->addLayout(buttons);
  layout->addStretch();
}

}  // namespace monitor_app
