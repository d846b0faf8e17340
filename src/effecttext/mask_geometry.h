#pragma once
// The pure arithmetic behind a coverage mask, kept apart from fonts so that
// it can be checked exactly: the rotated text box, the italic widening, and
// the downsampling of a supersampled raster.

#include <QPoint>
#include <QSize>
#include <cstdint>
#include <string_view>

#include "effecttext/aa_types.h"

namespace caici {

struct RotatedBox {
    QSize size;
    QPoint offset;  // where the text's own top-left lies inside the box
};

// The box of a w x h text turned counter-clockwise by radians, corners
// rounded to the nearest integer with ties to even, and the text's origin in
// it so that the text is centred.
RotatedBox rotatedBox(int width, int height, double radians);

// Length of a UTF-8 text in the two-byte code page of the display: one byte
// per ASCII character, two per any other character.
int codePageLength(std::string_view text);

// The extra width an italic font leans out by: 30 % of the average width per
// byte, rounded to nearest with ties to even.
int italicWidening(int width, std::string_view text);

// Averages each scale x scale block of an 8-bit raster (samples 0 or 255)
// into one mask pixel, by the rule of the quality. maskRow(y) gives the
// destination row y (0 = top) of width bytes.
template <class MaskRow>
void downsample(TAAQuality quality, const std::uint8_t* raster, std::ptrdiff_t rasterStride, int width, int height,
                MaskRow&& maskRow);

// One mask row from the scale rows that start at top.
void downsampleRow(TAAQuality quality, const std::uint8_t* top, std::ptrdiff_t rasterStride, int width,
                   std::uint8_t* out);

template <class MaskRow>
void downsample(TAAQuality quality, const std::uint8_t* raster, std::ptrdiff_t rasterStride, int width, int height,
                MaskRow&& maskRow) {
    const int scale = qualityScale(quality);
    for (int y = 0; y < height; ++y) {
        downsampleRow(quality, raster + static_cast<std::ptrdiff_t>(y) * scale * rasterStride, rasterStride, width,
                      maskRow(y));
    }
}

}  // namespace caici
