#include "effecttext/mask_geometry.h"

#include "common/utf8_count.h"

#include <algorithm>
#include <array>
#include <cmath>
#include <cstring>

namespace caici {

RotatedBox rotatedBox(int width, int height, double radians) {
    const double phi = -radians;
    const double s = std::sin(phi);
    const double c = std::cos(phi);
    const double hw = width / 2.0;
    const double hh = height / 2.0;
    const std::array<std::array<double, 2>, 4> corners{{{-hw, -hh}, {hw, -hh}, {-hw, hh}, {hw, hh}}};
    std::array<QPoint, 4> turned;
    for (std::size_t i = 0; i < corners.size(); ++i) {
        const auto [px, py] = corners[i];
        // nearbyint rounds half to even in the default rounding mode.
        turned[i] = QPoint(static_cast<int>(std::nearbyint(px * c - py * s)),
                           static_cast<int>(std::nearbyint(px * s + py * c)));
    }
    int minX = turned[0].x(), maxX = minX, minY = turned[0].y(), maxY = minY;
    for (const QPoint& p : turned) {
        minX = std::min(minX, p.x());
        maxX = std::max(maxX, p.x());
        minY = std::min(minY, p.y());
        maxY = std::max(maxY, p.y());
    }
    RotatedBox box;
    box.size = QSize(maxX - minX, maxY - minY);
    box.offset = QPoint(box.size.width() / 2 + turned[0].x(), box.size.height() / 2 + turned[0].y());
    return box;
}

int codePageLength(std::string_view text) {
    int length = 0;
    for (const char ch : text) {
        if (isUtf8Continuation(ch)) continue;
        length += static_cast<unsigned char>(ch) < 0x80 ? 1 : 2;
    }
    return length;
}

int italicWidening(int width, std::string_view text) {
    const int length = codePageLength(text);
    if (length == 0) return 0;
    return static_cast<int>(std::nearbyint(static_cast<double>(width) / length * 0.3));
}

void downsampleRow(TAAQuality quality, const std::uint8_t* top, std::ptrdiff_t rasterStride, int width,
                   std::uint8_t* out) {
    switch (quality) {
        case TAAQuality::aqHigh: {
            // Column sums of the four rows first (a loop the compiler turns
            // into vector adds), then four columns per mask pixel.
            const std::uint8_t* r0 = top;
            const std::uint8_t* r1 = r0 + rasterStride;
            const std::uint8_t* r2 = r1 + rasterStride;
            const std::uint8_t* r3 = r2 + rasterStride;
            constexpr int kChunk = 256;
            std::array<std::uint16_t, 4 * kChunk> columns;
            for (int start = 0; start < width; start += kChunk) {
                const int count = std::min(kChunk, width - start);
                const int c0 = 4 * start;
                for (int c = 0; c < 4 * count; ++c) {
                    columns[static_cast<std::size_t>(c)] = static_cast<std::uint16_t>(r0[c0 + c] + r1[c0 + c] + r2[c0 + c] + r3[c0 + c]);
                }
                for (int x = 0; x < count; ++x) {
                    const std::uint16_t* sums = columns.data() + 4 * x;
                    out[start + x] = static_cast<std::uint8_t>((sums[0] + sums[1] + sums[2] + sums[3]) >> 4);
                }
            }
            break;
        }
        case TAAQuality::aqNormal: {
            const std::uint8_t* r0 = top;
            const std::uint8_t* r1 = r0 + rasterStride;
            const std::uint8_t* r2 = r1 + rasterStride;
            // The top-right and bottom-left samples count half: weights add up to 8.
            for (int x = 0; x < width; ++x) {
                const int c = 3 * x;
                const unsigned sum = r0[c] + r0[c + 1] + (r0[c + 2] >> 1) + r1[c] + r1[c + 1] + r1[c + 2] +
                                     (r2[c] >> 1) + r2[c + 1] + r2[c + 2];
                out[x] = static_cast<std::uint8_t>(sum >> 3);
            }
            break;
        }
        case TAAQuality::aqLow: {
            const std::uint8_t* r0 = top;
            const std::uint8_t* r1 = r0 + rasterStride;
            for (int x = 0; x < width; ++x) {
                const int c = 2 * x;
                out[x] = static_cast<std::uint8_t>((r0[c] + r0[c + 1] + r1[c] + r1[c + 1]) >> 2);
            }
            break;
        }
        case TAAQuality::aqNone:
            std::memcpy(out, top, static_cast<std::size_t>(width));
            break;
    }
}

}  // namespace caici
