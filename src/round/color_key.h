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

#include <vector>

#include "common/error_guard.h"

class QLabel;
class QWidget;

namespace caici {

inline constexpr QRgb colorKeyRgb = qRgb(128, 0, 0);

// The pixels of image whose colour is exactly key (alpha ignored), offset by
// origin; empty when there are none.
QRegion keyedPixels(const QImage& image, QRgb key, QPoint origin = {});

// Whether the running platform cuts top-level windows to a shape.
bool platformShapesWindows();

// Cuts the keyed pixels of some labels out of their window. A change that
// may add or take away keyed pixels asks for a cut, which is made once the
// event loop comes round, so that a burst of changes costs one.
class ColorKeyCut {
public:
    // The labels are the window's children and live as long as it.
    ColorKeyCut(QWidget& window, ErrorReporter& errors, std::vector<QLabel*> labels);

    // The keyed pixels of the visible labels, in window coordinates.
    QRegion region() const;
    void schedule();

private:
    void apply();

    QWidget& window_;
    ErrorReporter& errors_;
    std::vector<QLabel*> labels_;
    bool pending_ = false;
};

}  // namespace caici
