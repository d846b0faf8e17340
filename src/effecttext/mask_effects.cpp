// The shape effects of a coverage mask: they work on coverage alone, in place.

#include <algorithm>
#include <cmath>
#include <cstddef>
#include <cstdlib>
#include <vector>

#include "common/random_source.h"
#include "effecttext/aa_mask.h"
#include "effecttext/vector_loops.h"

namespace caici {
namespace {

// round(sum / 25), the sum being below 25 * 256.
inline std::uint16_t averageOf25(std::uint16_t sum) {
    const auto rounded = static_cast<std::uint16_t>(sum + 12);
    return static_cast<std::uint16_t>(rounded / 25);
}

// Rows are walked top to bottom and written in place; a row's 5 x 5 sums
// need the unblurred rows up to two above it, which are kept in a ring of
// three row copies instead of a copy of the whole mask. Sums stay below
// 25 * 255 = 6375, so 16-bit lanes hold them and the compiler works on many
// pixels at once. The column sums run down the mask (add the row entering,
// drop the row leaving); along a row the five column sums are added anew,
// which the compiler vectorises where a running sum would chain every pixel
// to the one before.
//
// Row y of the mask starts at top + y * step. Each 5 x 5 sum b = round(sum /
// 25) (a sum never lies halfway, 25 being odd) becomes the pixel (weight 255
// and up) or moves it: v + floor((b - v) * weight / 256), the product signed.
CAICI_LOOP_BODY void blurRowsLoop(std::uint8_t* top, std::ptrdiff_t step, int width, int height, int weight) {
    const auto w = static_cast<std::size_t>(width);
    std::vector<std::uint16_t> columnSums(w);
    std::vector<std::uint16_t> paddedSums(w + 4);
    std::vector<std::uint16_t> boxSums(w);
    std::vector<std::uint8_t> kept(3 * w);
    // Row r as it was before the blur: the rows already written were first
    // kept in the ring (row r at r % 3), the others are still untouched.
    // Indices outside the mask are clamped to its edge.
    int keptRows = 0;
    const auto unblurred = [&](int r) -> const std::uint8_t* {
        r = std::clamp(r, 0, height - 1);
        return r < keptRows ? kept.data() + static_cast<std::size_t>(r % 3) * w : top + r * step;
    };
    std::uint16_t* __restrict columns = columnSums.data();
    for (int dy = -2; dy <= 2; ++dy) {
        const std::uint8_t* __restrict r = unblurred(dy);
        for (std::size_t x = 0; x < w; ++x) columns[x] = static_cast<std::uint16_t>(columns[x] + r[x]);
    }
    std::uint16_t* __restrict padded = paddedSums.data();
    std::uint16_t* __restrict sums = boxSums.data();
    for (int y = 0; y < height; ++y) {
        // Columns are clamped like rows: the ends repeat.
        padded[0] = padded[1] = columns[0];
        std::copy(columns, columns + w, padded + 2);
        padded[w + 2] = padded[w + 3] = columns[w - 1];
        for (std::size_t x = 0; x < w; ++x) {
            sums[x] = static_cast<std::uint16_t>(padded[x] + padded[x + 1] + padded[x + 2] + padded[x + 3] +
                                                 padded[x + 4]);
        }
        std::uint8_t* __restrict out = top + y * step;
        std::copy(out, out + w, kept.data() + static_cast<std::size_t>(y % 3) * w);
        keptRows = y + 1;
        if (weight >= 255) {
            for (std::size_t x = 0; x < w; ++x) out[x] = static_cast<std::uint8_t>(averageOf25(sums[x]));
        } else {
            for (std::size_t x = 0; x < w; ++x) {
                const int v = out[x];
                out[x] = static_cast<std::uint8_t>(v + (((averageOf25(sums[x]) - v) * weight) >> 8));
            }
        }
        if (y + 1 == height) break;
        const std::uint8_t* __restrict entering = unblurred(y + 3);
        const std::uint8_t* __restrict leaving = unblurred(y - 2);
        for (std::size_t x = 0; x < w; ++x) {
            columns[x] = static_cast<std::uint16_t>(columns[x] + entering[x] - leaving[x]);
        }
    }
}

CAICI_AVX2_LOOPS void blurRowsAvx2(std::uint8_t* top, std::ptrdiff_t step, int width, int height, int weight) {
    blurRowsLoop(top, step, width, height, weight);
}

void blurRowsBaseline(std::uint8_t* top, std::ptrdiff_t step, int width, int height, int weight) {
    blurRowsLoop(top, step, width, height, weight);
}

void blurRows(std::uint8_t* top, std::ptrdiff_t step, int width, int height, int weight) {
    if (pixelLoopsUseAvx2()) {
        blurRowsAvx2(top, step, width, height, weight);
    } else {
        blurRowsBaseline(top, step, width, height, weight);
    }
}

}  // namespace

void TCnAAMask::Outline() {
    if (width_ < 3 || height_ < 3) return;
    const std::vector<std::uint8_t> copy = buffer_;
    const auto copyRow = [&](int y) { return copy.data() + rowOffset(y); };
    for (int y = 1; y < height_ - 1; ++y) {
        const std::uint8_t* u = copyRow(y - 1);
        const std::uint8_t* m = copyRow(y);
        const std::uint8_t* d = copyRow(y + 1);
        std::uint8_t* out = buffer_.data() + rowOffset(y);
        for (int x = 1; x < width_ - 1; ++x) {
            const int v = std::abs(d[x] - u[x]) + std::abs(m[x + 1] - m[x - 1]) + std::abs(d[x - 1] - u[x + 1]) +
                          std::abs(d[x + 1] - u[x - 1]);
            out[x] = static_cast<std::uint8_t>(v >> 2);
        }
    }
}

void TCnAAMask::Blur(int amount) {
    if (width_ == 0 || height_ == 0) return;
    const int weight = static_cast<int>(std::nearbyint(amount * 255 / 100.0));
    // Rows are stored bottom-up: row y + 1 lies a stride before row y.
    blurRows(buffer_.data() + rowOffset(0), -static_cast<std::ptrdiff_t>(stride_), width_, height_, weight);
}

void TCnAAMask::Spray(int amount) {
    RandomSource& random = processRandom();
    for (int y = 0; y < height_; ++y) {
        std::uint8_t* out = buffer_.data() + rowOffset(y);
        for (int x = 0; x < width_; ++x) {
            // Three draws in this order: the reach, then the column, then the row.
            const int reach = static_cast<int>(random.random(static_cast<std::uint32_t>(amount + 1)));
            const int sx = std::clamp(x + reach - static_cast<int>(random.random(static_cast<std::uint32_t>(2 * reach))), 0,
                                      width_ - 1);
            const int sy = std::clamp(y + reach - static_cast<int>(random.random(static_cast<std::uint32_t>(2 * reach))), 0,
                                      height_ - 1);
            out[x] = buffer_[static_cast<std::size_t>(rowOffset(sy) + sx)];
        }
    }
}

void TCnAAMask::HorzMirror() {
    for (int y = 0; y < height_; ++y) {
        std::uint8_t* row = buffer_.data() + rowOffset(y);
        std::reverse(row, row + width_);
    }
    partOrigin_.setX(box_.width() - partOrigin_.x() - width_);
}

void TCnAAMask::VertMirror() {
    for (int i = 0; i < height_ / 2; ++i) {
        std::swap_ranges(buffer_.begin() + rowOffset(i), buffer_.begin() + rowOffset(i) + stride_,
                         buffer_.begin() + rowOffset(height_ - 1 - i));
    }
    partOrigin_.setY(box_.height() - partOrigin_.y() - height_);
}

}  // namespace caici
