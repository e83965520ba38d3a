#pragma once
// The settings forms' rows: the labels stand in one column, right-aligned,
// so they all end on one vertical line, and each control starts just after
// it, 300 wide.

#include <QGridLayout>
#include <QLabel>
#include <QPushButton>
#include <QString>
#include <QWidget>

namespace monitor_app {

inline constexpr int kFormFieldWidth = 300;

// Appends a row of `grid`: the label (plain text) and the control. Returns
// the label.
QLabel* addFormRow(QGridLayout& grid, const QString& label, QWidget* control);

// A button of a form, named for the tests and tools that press it.
QPushButton* formButton(const QString& text, const char* name);

// Lays the form out: its rows, and under them the OK button and the other
// one side by side, centred, 20 from every edge.
void layOutForm(QWidget& form, QGridLayout* rows, QPushButton* ok, QPushButton* other);

}  // namespace monitor_app
