#pragma once
// A soft shadow of a drawn shape: the shape's coverage blurred. Pure
// function over images.

#include <QImage>

namespace monitor_app {

// The image blurred by `radius` pixels (three box passes each way, close to
// a Gaussian); the same size, premultiplied ARGB. A radius below 1 gives the
// image unchanged.
QImage softShadow(const QImage& shape, int radius);

}  // namespace monitor_app
