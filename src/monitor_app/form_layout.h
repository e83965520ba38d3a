#pragma once
// The settings forms' rows: the labels stand in one column, right-aligned,
// so they all end on one vertical line, and each control starts just after
// it, 300 wide.

#include <QGridLayout>
#include <QLabel>
#include <QString>
#include <QWidget>

namespace monitor_app {

inline constexpr int kFormFieldWidth = 300;

// Appends a row of `grid`: the label (plain text) and the control. Returns
// the label.
QLabel* addFormRow(QGridLayout& grid, const QString& label, QWidget* control);

}  // namespace monitor_app
