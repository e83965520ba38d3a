#pragma once
// Scaling and turning a page picture. Angles are counter-clockwise as the
// page is viewed.

#include <QImage>
#include <QSize>
#include <optional>

namespace scan {

// Scales the picture by `ratio` (each side truncated) and turns it by
// `degree`; a quarter turn (90) exchanges the sides. Nothing when a step fails.
std::optional<QImage> imageRotate(double degree, const QImage& image, double ratio);

// The same with the scaled size given, for a picture that was decoded smaller
// than the page it stands for.
std::optional<QImage> turnAndScale(double degree, const QImage& image, QSize scaled);

}  // namespace scan
