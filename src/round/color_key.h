#pragma once
// The guessing window treats maroon (RGB 128, 0, 0) as a colour key: pixels
// painted in it are transparent and let mouse clicks through to whatever lies
// below. Qt has no colour-keyed windows, so the window cuts those pixels out
// of its shape (QWidget::setMask), which the X11 shape extension honours for
// both drawing and input. Platforms without window shapes (Wayland, the
// offscreen test platform) keep the window whole.

#include <QColor>
#include <QImage>
#include <QRegion>

namespace caici {

inline constexpr QRgb colorKeyRgb = qRgb(128, 0, 0);

// The pixels of image whose colour is exactly key (alpha ignored), offset by
// origin; empty when there are none.
QRegion keyedPixels(const QImage& image, QRgb key, QPoint origin = {});

// Whether the running platform cuts top-level windows to a shape.
bool platformShapesWindows();

}  // namespace caici
