#include "effecttext/blend_rows.h"

#include <algorithm>
#include <array>
#include <cstddef>
#include <cstring>

#include "effecttext/vector_loops.h"

namespace caici {
namespace {

constexpr int kChunk = 16;
using Chunk = std::array<std::uint8_t, kChunk>;
using ChunkBytes = std::array<std::uint8_t, 4 * kChunk>;
// Per byte of a chunk: the weight of the colour, 0..256. The blend's k of
// 255 gives the colour exactly, which the weight 256 does without a branch:
// (p * 0 + c * 256) >> 8 = c.
using ChunkWeights = std::array<std::uint16_t, 4 * kChunk>;

// Whether a chunk's values are all 0, all 255: two 8-byte words or-ed,
// and-ed, rather than a comparison per byte. Most chunks of a line's mask
// are one or the other, so this check runs far more often than the mix.
static_assert(kChunk == 2 * sizeof(std::uint64_t));

std::uint64_t wordAt(const std::uint8_t* bytes) {
    std::uint64_t word = 0;
    std::memcpy(&word, bytes, sizeof word);
    return word;
}

bool allZero(const std::uint8_t* values) { return (wordAt(values) | wordAt(values + 8)) == 0; }

bool allFull(const std::uint8_t* values) { return (wordAt(values) & wordAt(values + 8)) == ~std::uint64_t{0}; }

std::uint16_t weightOf(unsigned coverage, unsigned a256) {
    const auto k = static_cast<std::uint16_t>((coverage * a256) >> 8);
    return static_cast<std::uint16_t>(k == 255 ? 256 : k);
}

void weighChunk(const std::uint8_t* __restrict coverage, unsigned a256, ChunkWeights& weights) {
    std::array<std::uint16_t, kChunk> k{};
    for (std::size_t i = 0; i < kChunk; ++i) k[i] = weightOf(coverage[i], a256);
    for (std::size_t i = 0; i < kChunk; ++i) {
        weights[4 * i] = weights[4 * i + 1] = weights[4 * i + 2] = k[i];
        weights[4 * i + 3] = 0;
    }
}

void mixChunk(std::uint8_t* __restrict pixels, const std::uint16_t* __restrict weights,
              const std::uint8_t* __restrict colours, int bytes) {
    for (int j = 0; j < bytes; ++j) {
        const std::uint16_t take = weights[j];
        const auto keep = static_cast<std::uint16_t>(256 - take);
        pixels[j] = static_cast<std::uint8_t>(static_cast<std::uint16_t>(pixels[j] * keep + colours[j] * take) >> 8);
    }
}

void spreadColours(ChunkBytes& chunk, const std::uint8_t* colours, int colourStep, int count) {
    for (int i = 0; i < count; ++i) std::memcpy(chunk.data() + 4 * i, colours + colourStep * i, 3);
}

CAICI_LOOP_BODY void blendRowLoop(std::uint8_t* __restrict pixels, const std::uint8_t* __restrict coverage,
                                  const std::uint8_t* __restrict colours, int colourStep, int count, int a256,
                                  const std::uint8_t* __restrict hidden) {
    if (count <= 0) return;
    const auto alpha = static_cast<unsigned>(a256);
    // A row of one colour (a gradient from top to bottom gives nothing
    // else) spreads its colour once: each pixel's colour equals the next one's.
    const bool oneColour =
        colourStep == 0 || std::memcmp(colours, colours + 3, 3 * static_cast<std::size_t>(count - 1)) == 0;
    ChunkBytes colourBytes{};
    if (oneColour) spreadColours(colourBytes, colours, 0, kChunk);
    // The weights of a fully covered chunk, the glyphs' inside, are the same
    // for every such chunk.
    Chunk covered{};
    covered.fill(255);
    ChunkWeights fullWeights{};
    weighChunk(covered.data(), alpha, fullWeights);
    ChunkWeights weights{};
    Chunk coverageTail{};
    Chunk hiddenTail{};
    for (int start = 0; start < count; start += kChunk) {
        const int n = std::min(kChunk, count - start);
        // Asked for eight chunks ahead: left to the processor, the loads of a
        // 4K frame's rows stall the blend on memory. A cache line of coverage
        // serves four chunks.
        __builtin_prefetch(pixels + 4 * static_cast<std::ptrdiff_t>(start + 8 * kChunk), 1);
        if (start % (4 * kChunk) == 0) __builtin_prefetch(coverage + start + 8 * kChunk);
        const std::uint8_t* m = coverage + start;
        const std::uint8_t* h = hidden == nullptr ? nullptr : hidden + start;
        // The last chunk of a row is read through copies padded with 0.
        if (n < kChunk) {
            m = std::copy(m, m + n, coverageTail.begin()) - n;
            if (h != nullptr) h = std::copy(h, h + n, hiddenTail.begin()) - n;
        }
        if (h != nullptr && allFull(h)) continue;
        if (allZero(m)) continue;
        const std::uint16_t* take = fullWeights.data();
        if (!allFull(m)) {
            weighChunk(m, alpha, weights);
            take = weights.data();
        }
        if (!oneColour) {
            spreadColours(colourBytes, colours + static_cast<std::ptrdiff_t>(colourStep) * start, colourStep, n);
        }
        mixChunk(pixels + 4 * static_cast<std::ptrdiff_t>(start), take, colourBytes.data(), 4 * n);
    }
}

CAICI_AVX2_LOOPS void blendRowAvx2(std::uint8_t* pixels, const std::uint8_t* coverage, const std::uint8_t* colours,
                                   int colourStep, int count, int a256, const std::uint8_t* hidden) {
    blendRowLoop(pixels, coverage, colours, colourStep, count, a256, hidden);
}

void blendRowBaseline(std::uint8_t* pixels, const std::uint8_t* coverage, const std::uint8_t* colours, int colourStep,
                      int count, int a256, const std::uint8_t* hidden) {
    blendRowLoop(pixels, coverage, colours, colourStep, count, a256, hidden);
}

}  // namespace

void blendRowTowards(std::uint8_t* pixels, const std::uint8_t* coverage, const std::uint8_t* colours, int colourStep,
                     int count, int a256, const std::uint8_t* hidden) {
    if (pixelLoopsUseAvx2()) {
        blendRowAvx2(pixels, coverage, colours, colourStep, count, a256, hidden);
    } else {
        blendRowBaseline(pixels, coverage, colours, colourStep, count, a256, hidden);
    }
}

}  // namespace caici
