#pragma once
// The inner loop of the blend for 4-byte surface pixels (blue, green, red and
// an unused byte) under a clear brush, written so that the compiler works on
// many bytes at once: the weight of every pixel first, then every byte of
// the row mixed alike, with no branch per pixel.
//
// Fixed point as the blend's: k = (m * a256) >> 8, and a channel p moves to
// the colour's channel c as p + floor((c - p) * k / 256). Since p * 256 is a
// whole multiple of 256 that equals (p * (256 - k) + c * k) >> 8, whose
// terms add up to at most 255 * 256 and so stay within 16 bits. k 255 gives
// c exactly and k 0 leaves p; the unused byte gets the weight 0 and is kept.

#include <cstdint>
#include <vector>

namespace caici {

struct BlendRowScratch {
    std::vector<std::uint32_t> weights;
    std::vector<std::uint32_t> colours;
};

// Blends count pixels towards their colours through coverage at a256
// (0..256). colours holds blue, green, red per pixel, colourStep bytes apart:
// 3 for a row of colours, 0 for one colour for the whole row.
void blendRowTowards(std::uint8_t* pixels, const std::uint8_t* coverage, const std::uint8_t* colours, int colourStep,
                     int count, int a256, BlendRowScratch& scratch);

}  // namespace caici
