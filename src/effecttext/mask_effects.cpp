// The shape effects of a coverage mask: they work on coverage alone, in place.

#include <algorithm>
#include <array>
#include <cmath>
#include <cstdlib>
#include <vector>

#include "common/random_source.h"
#include "effecttext/aa_mask.h"

namespace caici {
namespace {

// round(sum / 25) for every 5 x 5 sum; a sum never lies halfway, 25 being odd.
constexpr std::array<std::uint8_t, 25 * 255 + 1> kAverageOf25 = [] {
    std::array<std::uint8_t, 25 * 255 + 1> table{};
    for (std::size_t sum = 0; sum < table.size(); ++sum) table[sum] = static_cast<std::uint8_t>((sum + 12) / 25);
    return table;
}();

// Sums of five neighbours along one line of n values, the neighbours' indices
// clamped to 0 .. n - 1. The line is first padded by repeating its end
// values, so the running sum (add the entering value, drop the leaving one)
// needs no clamping inside the loop.
void runningSum5(const int* in, int n, std::vector<int>& padded, int* out) {
    padded.resize(static_cast<std::size_t>(n) + 5);
    padded[0] = padded[1] = in[0];
    std::copy(in, in + n, padded.begin() + 2);
    padded[static_cast<std::size_t>(n) + 2] = padded[static_cast<std::size_t>(n) + 3] =
        padded[static_cast<std::size_t>(n) + 4] = in[n - 1];
    const int* p = padded.data();
    int sum = p[0] + p[1] + p[2] + p[3] + p[4];
    out[0] = sum;
    for (int i = 1; i < n; ++i) {
        sum += p[i + 4] - p[i - 1];
        out[i] = sum;
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
    // Separable: the 5 x 5 sum is the 5-row column sums summed over 5 columns,
    // clamping acting on each axis alone. Columns first, as running sums down
    // each column, then a running sum along each row of those column sums.
    std::vector<int> columnSums(static_cast<std::size_t>(width_) * static_cast<std::size_t>(height_));
    {
        std::vector<int> acc(static_cast<std::size_t>(width_), 0);
        const auto row = [&](int y) { return buffer_.data() + rowOffset(std::clamp(y, 0, height_ - 1)); };
        for (int dy = -2; dy <= 2; ++dy) {
            const std::uint8_t* r = row(dy);
            for (int x = 0; x < width_; ++x) acc[static_cast<std::size_t>(x)] += r[x];
        }
        for (int y = 0; y < height_; ++y) {
            int* sums = columnSums.data() + static_cast<std::ptrdiff_t>(y) * width_;
            std::copy(acc.begin(), acc.end(), sums);
            const std::uint8_t* entering = row(y + 3);
            const std::uint8_t* leaving = row(y - 2);
            for (int x = 0; x < width_; ++x) acc[static_cast<std::size_t>(x)] += entering[x] - leaving[x];
        }
    }
    std::vector<int> boxSums(static_cast<std::size_t>(width_));
    std::vector<int> padded;
    for (int y = 0; y < height_; ++y) {
        runningSum5(columnSums.data() + static_cast<std::ptrdiff_t>(y) * width_, width_, padded, boxSums.data());
        std::uint8_t* out = buffer_.data() + rowOffset(y);
        if (weight >= 255) {
            for (int x = 0; x < width_; ++x) out[x] = kAverageOf25[static_cast<std::size_t>(boxSums[static_cast<std::size_t>(x)])];
            continue;
        }
        for (int x = 0; x < width_; ++x) {
            const int b = kAverageOf25[static_cast<std::size_t>(boxSums[static_cast<std::size_t>(x)])];
            const int v = out[x];
            // Arithmetic shift: floor of the signed product over 256.
            out[x] = static_cast<std::uint8_t>(v + (((b - v) * weight) >> 8));
        }
    }
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
