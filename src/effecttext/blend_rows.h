#pragma once
// The inner loop of the blend for 4-byte surface pixels (blue, green, red and
// an unused byte) under a clear brush. A row goes in chunks of 16 pixels:
// a chunk without coverage is skipped, and the others are mixed byte by byte
// with no branch per pixel, in a form the compiler works on many bytes at
// once. A glyph row is mostly empty around and between its strokes, and a
// hard-edged body covers the rest fully.
//
// Fixed point as the blend's: k = (m * a256) >> 8, and a channel p moves to
// the colour's channel c as p + floor((c - p) * k / 256). Since p * 256 is a
// whole multiple of 256 that equals (p * (256 - k) + c * k) >> 8, whose
// terms add up to at most 255 * 256 and so stay within 16 bits. k 255 gives
// c exactly and k 0 leaves p; the unused byte gets the weight 0 and is kept.

#include <cstdint>

namespace caici {

// Blends count pixels towards their colours through coverage at a256
// (0..256). colours holds blue, green, red per pixel, colourStep bytes apart:
// 3 for a row of colours, 0 for one colour for the whole row. hidden, when
// given, is the coverage of the same pixels in a layer blended next at full
// alpha: where it is 255 that layer gives its own colour exactly, so a chunk
// it hides entirely is left as it is.
void blendRowTowards(std::uint8_t* pixels, const std::uint8_t* coverage, const std::uint8_t* colours, int colourStep,
                     int count, int a256, const std::uint8_t* hidden = nullptr);

}  // namespace caici
