#include "effecttext/blend_rows.h"

#include <algorithm>
#include <bit>
#include <cstddef>
#include <cstring>

namespace caici {
namespace {

// Weights and colours are packed per pixel into 32 bits whose bytes lie in
// memory in the surface's own order: blue, green, red, unused.
static_assert(std::endian::native == std::endian::little);

constexpr std::uint32_t pack(const std::uint8_t* bgr) {
    return std::uint32_t{bgr[0]} | std::uint32_t{bgr[1]} << 8 | std::uint32_t{bgr[2]} << 16;
}

}  // namespace

void blendRowTowards(std::uint8_t* __restrict pixels, const std::uint8_t* __restrict coverage,
                     const std::uint8_t* __restrict colours, int colourStep, int count, int a256,
                     BlendRowScratch& scratch) {
    if (count <= 0) return;
    scratch.weights.resize(static_cast<std::size_t>(count));
    std::uint32_t* __restrict weights = scratch.weights.data();
    const auto alpha = static_cast<std::uint32_t>(a256);
    std::uint32_t any = 0;
    for (int i = 0; i < count; ++i) {
        const std::uint32_t k = (coverage[i] * alpha) >> 8;
        weights[i] = k * 0x010101u;
        any |= k;
    }
    if (any == 0) return;
    // Only the run from the first to the last covered pixel is mixed: a
    // glyph row is mostly empty on both sides.
    int first = 0;
    while (weights[first] == 0) ++first;
    int last = count;
    while (weights[last - 1] == 0) --last;
    const auto run = static_cast<std::size_t>(last - first);

    scratch.colours.resize(run);
    std::uint32_t* __restrict packed = scratch.colours.data();
    const std::uint8_t* from = colours + static_cast<std::ptrdiff_t>(colourStep) * first;
    // A row of one colour (a gradient from top to bottom gives nothing else)
    // is filled at once: each pixel's colour equals the next one's.
    if (colourStep == 0 || std::memcmp(from, from + 3, 3 * (run - 1)) == 0) {
        std::fill(packed, packed + run, pack(from));
    } else {
        for (std::size_t i = 0; i < run; ++i) packed[i] = pack(from + 3 * i);
    }

    std::uint8_t* __restrict p = pixels + 4 * static_cast<std::ptrdiff_t>(first);
    const auto* __restrict k = reinterpret_cast<const std::uint8_t*>(weights + first);
    const auto* __restrict c = reinterpret_cast<const std::uint8_t*>(packed);
    for (std::size_t j = 0; j < 4 * run; ++j) {
        const auto take = static_cast<std::uint16_t>(k[j]);
        const auto keep = static_cast<std::uint16_t>(256 - take);
        const auto sum = static_cast<std::uint16_t>(p[j] * keep + c[j] * take);
        p[j] = static_cast<std::uint8_t>(take == 255 ? c[j] : sum >> 8);
    }
}

}  // namespace caici
