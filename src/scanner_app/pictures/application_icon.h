#pragma once
// The scanner application's icon, drawn in code: a flatbed scanner with a
// page on it and its light bar lit.

#include <QIcon>
#include <QImage>

namespace scanner_app {

// The icon on a transparent square of `side` pixels.
QImage drawApplicationIcon(int side);

// The icon at the sizes desktops ask for.
QIcon applicationIcon();

}  // namespace scanner_app
