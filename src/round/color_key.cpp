#include "round/color_key.h"

#include <QGuiApplication>
#include <QLabel>
#include <QTimer>
#include <QWidget>

#include <utility>

namespace caici {

QRegion keyedPixels(const QImage& image, QRgb key, QPoint origin) {
    const QImage rgb = image.convertToFormat(QImage::Format_RGB32);
    const QRgb wanted = key | 0xff000000u;
    QRegion region;
    for (int y = 0; y < rgb.height(); ++y) {
        const auto* row = reinterpret_cast<const QRgb*>(rgb.constScanLine(y));
        int x = 0;
        while (x < rgb.width()) {
            if ((row[x] | 0xff000000u) != wanted) {
                ++x;
                continue;
            }
            const int start = x;
            while (x < rgb.width() && (row[x] | 0xff000000u) == wanted) ++x;
            region += QRect(origin.x() + start, origin.y() + y, x - start, 1);
        }
    }
    return region;
}

bool platformShapesWindows() {
    return QGuiApplication::platformName() == QLatin1String("xcb");
}

ColorKeyCut::ColorKeyCut(QWidget& window, ErrorReporter& errors, std::vector<QLabel*> labels)
    : window_(window), errors_(errors), labels_(std::move(labels)) {}

QRegion ColorKeyCut::region() const {
    QRegion keyed;
    for (QLabel* label : labels_) {
        if (!label->isVisible() || label->palette().color(QPalette::WindowText).rgb() != colorKeyRgb) continue;
        keyed += keyedPixels(label->grab().toImage(), colorKeyRgb, label->pos());
    }
    return keyed;
}

void ColorKeyCut::schedule() {
    if (pending_ || !platformShapesWindows()) return;
    pending_ = true;
    QTimer::singleShot(0, &window_, [this] {
        pending_ = false;
        guarded(errors_, [this] { apply(); });
    });
}

void ColorKeyCut::apply() {
    const QRegion keyed = region();
    if (keyed.isEmpty()) {
        window_.clearMask();
    } else {
        window_.setMask(QRegion(window_.rect()) - keyed);
    }
}

}  // namespace caici
