#pragma once
// How much one text may cost the renderer. Display lines come from a word
// list anyone can edit and are drawn at a size the operator can raise without
// bound, so the renderer draws at most the first kMaxTextCharacters
// characters of a text, at most kMaxCharacterHeight pixels high. It renders
// only the part of a text's box that lands on its surface, so its memory
// follows the surface, not the text; a part larger than kMaxMaskSide on a side
// or kMaxMaskPixels in all (a surface of that size) is refused with
// ETextTooLarge. The supersampled raster is drawn in bands of at most
// kRasterBandSamples samples (at least one mask row): a band that small stays
// in the processor's cache from its clearing to its averaging, and Qt fills
// its few rows on the calling thread, where a larger fill hands every few
// hundred spans to Qt's thread pool at a cost above the fill's own.

#include <cstdint>
#include <string_view>

namespace caici {

inline constexpr int kMaxTextCharacters = 1024;
inline constexpr int kMaxCharacterHeight = 2048;
inline constexpr int kMaxMaskSide = 32768;
inline constexpr std::int64_t kMaxMaskPixels = std::int64_t{1} << 25;
inline constexpr std::int64_t kRasterBandSamples = std::int64_t{1} << 16;

// The first kMaxTextCharacters characters of a UTF-8 text; a character is a
// lead byte with its continuation bytes.
std::string_view drawableText(std::string_view text);

}  // namespace caici
