#pragma once
// Scaling and turning a page picture. Angles are counter-clockwise as the
// page is viewed.

#include <QImage>
#include <QRect>
#include <QSize>
#include <optional>

namespace scan {

// Draws the picture stretched over `where` of the canvas, replacing what is
// there (bilinear: pages are only ever drawn a little smaller or larger, after
// any large reduction was done by the JPEG decoder).
void drawStretched(QImage& canvas, QRect where, const QImage& picture);

// Scales the picture by `ratio` (each side truncated) and turns it by
// `degree`; a quarter turn (90) exchanges the sides. Nothing when a step fails.
std::optional<QImage> imageRotate(double degree, const QImage& image, double ratio);

// The same with the scaled size given, for a picture that was decoded smaller
// than the page it stands for.
std::optional<QImage> turnAndScale(double degree, const QImage& image, QSize scaled);

}  // namespace scan
