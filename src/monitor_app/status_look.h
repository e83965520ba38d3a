#pragma once
// How the status panel and the toner gauge show the model's values. Pure
// functions.

#include <QColor>
#include <QString>

namespace monitor_app {

// The standard named colours the window uses.
inline const QColor kBlue{0, 122, 255};
inline const QColor kOrange{255, 149, 0};
inline const QColor kRed{255, 59, 48};
// The toner ring's green.
inline const QColor kTonerGreen = QColor::fromRgbF(0.28834283F, 0.96862745F, 0.13993031F);

// Message and advice colour: level 1 in the normal text colour (the
// palette's, so it reads on dark themes too), 2 orange, anything else red.
QColor levelColour(int level, const QColor& normalText);

// The toner arc in QPainter's sixteenths of a degree, negative for
// clockwise: toner percent of the full circle, the percentage held to 0-100
// (the USB reading is a byte and goes up to 255).
int tonerArcSpan(int toner);

// The gauge's text: the percentage as given, then "%".
QString tonerText(int toner);

}  // namespace monitor_app
