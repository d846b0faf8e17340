#pragma once
// Value types and enumerations of the effect-text renderer. Ordinals are the
// ones that saved settings and window definitions use, so they must not move.

#include <cstdint>

namespace caici {

using TAlpha = std::uint8_t;         // 0..100, percent opacity
using TBlurStrength = std::uint8_t;  // 0..100, percent
using TOffset = std::int8_t;         // -20..20, pixels
using TSprayRange = std::uint8_t;    // 0..100, pixels
using TAngle = std::int16_t;         // -360..360, degrees, counter-clockwise
using TNoiseAmount = std::uint8_t;   // 0..255, amplitude of colour noise

enum class TGradualStyle : std::uint8_t {
    gsLeftToRight = 0,
    gsRightToLeft = 1,
    gsTopToBottom = 2,
    gsBottomToTop = 3,
    gsCenterToLR = 4,
    gsCenterToTB = 5,
};

// Whether a gradient's colours change along a row (left and right) rather
// than from row to row.
constexpr bool isHorizontal(TGradualStyle style) {
    return style == TGradualStyle::gsLeftToRight || style == TGradualStyle::gsRightToLeft ||
           style == TGradualStyle::gsCenterToLR;
}

enum class TTextureMode : std::uint8_t {
    tmTiled = 0,
    tmStretched = 1,
    tmCenter = 2,
    tmNormal = 3,
};

// Supersampling factor 4, 3, 2, 1.
enum class TAAQuality : std::uint8_t {
    aqHigh = 0,
    aqNormal = 1,
    aqLow = 2,
    aqNone = 3,
};

constexpr int qualityScale(TAAQuality quality) {
    switch (quality) {
        case TAAQuality::aqHigh:
            return 4;
        case TAAQuality::aqNormal:
            return 3;
        case TAAQuality::aqLow:
            return 2;
        case TAAQuality::aqNone:
            return 1;
    }
    return 1;
}

enum class TAlignment : std::uint8_t {
    taLeftJustify = 0,
    taRightJustify = 1,
    taCenter = 2,
};

enum class TTextLayout : std::uint8_t {
    tlTop = 0,
    tlCenter = 1,
    tlBottom = 2,
};

}  // namespace caici
