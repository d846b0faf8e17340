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

// Rows are walked top to bottom. A row's 5 x 5 sums need the unblurred rows
// up to two above it: read from the source when the blur writes elsewhere,
// else kept in a ring of three row copies instead of a copy of the whole
// mask. Sums stay below 25 * 255 = 6375, so 16-bit lanes hold them and the
// compiler works on many pixels at once. The column sums run down the mask
// (add the row entering, drop the row leaving), stored between two clamped
// columns on either side; along a row the five column sums are added anew,
// which the compiler vectorises where a running sum would chain every pixel
// to the one before.
//
// Row y of a mask starts at top + y * step. Each 5 x 5 sum b = round(sum /
// 25) (a sum never lies halfway, 25 being odd) becomes the pixel (weight 255
// and up) or moves it: v + floor((b - v) * weight / 256), the product signed.
CAICI_LOOP_BODY void blurRowsLoop(const std::uint8_t* source, std::ptrdiff_t sourceStep, std::uint8_t* target,
                                  std::ptrdiff_t targetStep, int width, int height, int weight) {
    const auto w = static_cast<std::size_t>(width);
    const bool inPlace = source == target;
    std::vector<std::uint16_t> paddedSums(w + 4);
    std::vector<std::uint8_t> kept(inPlace ? 3 * w : 0);
    // Row r as it was before the blur: in place, the rows already written
    // were first kept in the ring (row r at r % 3). Indices outside the mask
    // are clamped to its edge.
    int keptRows = 0;
    const auto unblurred = [&](int r) -> const std::uint8_t* {
        r = std::clamp(r, 0, height - 1);
        return r < keptRows ? kept.data() + static_cast<std::size_t>(r % 3) * w : source + r * sourceStep;
    };
    std::uint16_t* __restrict padded = paddedSums.data();
    std::uint16_t* __restrict columns = padded + 2;
    for (int dy = -2; dy <= 2; ++dy) {
        const std::uint8_t* __restrict r = unblurred(dy);
        for (std::size_t x = 0; x < w; ++x) columns[x] = static_cast<std::uint16_t>(columns[x] + r[x]);
    }
    for (int y = 0; y < height; ++y) {
        // Columns are clamped like rows: the ends repeat.
        padded[0] = padded[1] = columns[0];
        padded[w + 2] = padded[w + 3] = columns[w - 1];
        std::uint8_t* __restrict out = target + y * targetStep;
        if (inPlace) {
            std::copy(out, out + w, kept.data() + static_cast<std::size_t>(y % 3) * w);
            keptRows = y + 1;
        }
        const std::uint8_t* __restrict in = unblurred(y);
        if (weight >= 255) {
            for (std::size_t x = 0; x < w; ++x) {
                const auto sum = static_cast<std::uint16_t>(padded[x] + padded[x + 1] + padded[x + 2] +
                                                            padded[x + 3] + padded[x + 4]);
                out[x] = static_cast<std::uint8_t>(averageOf25(sum));
            }
        } else {
            for (std::size_t x = 0; x < w; ++x) {
                const auto sum = static_cast<std::uint16_t>(padded[x] + padded[x + 1] + padded[x + 2] +
                                                            padded[x + 3] + padded[x + 4]);
                const int v = in[x];
                out[x] = static_cast<std::uint8_t>(v + (((averageOf25(sum) - v) * weight) >> 8));
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

CAICI_AVX2_LOOPS void blurRowsAvx2(const std::uint8_t* source, std::ptrdiff_t sourceStep, std::uint8_t* target,
                                   std::ptrdiff_t targetStep, int width, int height, int weight) {
    blurRowsLoop(source, sourceStep, target, targetStep, width, height, weight);
}

void blurRowsBaseline(const std::uint8_t* source, std::ptrdiff_t sourceStep, std::uint8_t* target,
                      std::ptrdiff_t targetStep, int width, int height, int weight) {
    blurRowsLoop(source, sourceStep, target, targetStep, width, height, weight);
}

// target may be source (with the same step): the blur is then done in place.
void blurRows(const std::uint8_t* source, std::ptrdiff_t sourceStep, std::uint8_t* target, std::ptrdiff_t targetStep,
              int width, int height, int weight) {
    if (pixelLoopsUseAvx2()) {
        blurRowsAvx2(source, sourceStep, target, targetStep, width, height, weight);
    } else {
        blurRowsBaseline(source, sourceStep, target, targetStep, width, height, weight);
    }
}

int blurWeight(int amount) { return static_cast<int>(std::nearbyint(amount * 255 / 100.0)); }

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
    // Rows are stored bottom-up: row y + 1 lies a stride before row y.
    std::uint8_t* top = buffer_.data() + rowOffset(0);
    const auto step = -static_cast<std::ptrdiff_t>(stride_);
    blurRows(top, step, top, step, width_, height_, blurWeight(amount));
}

void TCnAAMask::CopyBlurred(const TCnAAMask& source, int amount) {
    if (&source == this) {
        Blur(amount);
        return;
    }
    width_ = source.width_;
    height_ = source.height_;
    SetQuality(source.quality_);
    rasterRowLength_ = source.rasterRowLength_;
    stride_ = source.stride_;
    box_ = source.box_;
    partOrigin_ = source.partOrigin_;
    // The buffer keeps its capacity: a display's next line needs about as
    // much, and fresh megabytes cost their first touch.
    buffer_.resize(source.buffer_.size());
    if (width_ == 0 || height_ == 0) return;
    const auto step = -static_cast<std::ptrdiff_t>(stride_);
    blurRows(source.buffer_.data() + rowOffset(0), step, buffer_.data() + rowOffset(0), step, width_, height_,
             blurWeight(amount));
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
