#include "round/color_key.h"

#include <QGuiApplication>

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

}  // namespace caici
