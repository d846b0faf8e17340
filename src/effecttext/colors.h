#pragma once
// Colours are 32-bit values 0x00BBGGRR, red in the low byte, as window
// definitions store them. Negative values name system colours (the low byte
// is the index) and are resolved through the application palette before any
// pixel is written.

#include <cstdint>

namespace caici {

using TColor = std::int32_t;

inline constexpr TColor clBlack = 0x000000;
inline constexpr TColor clRed = 0x0000FF;
inline constexpr TColor clLime = 0x00FF00;
inline constexpr TColor clYellow = 0x00FFFF;
inline constexpr TColor clBlue = 0xFF0000;
inline constexpr TColor clWhite = 0xFFFFFF;

inline constexpr TColor systemColor(int index) {
    return static_cast<TColor>(0x80000000u | static_cast<std::uint32_t>(index));
}

inline constexpr TColor clWindowText = systemColor(8);
inline constexpr TColor clBtnFace = systemColor(15);

struct Rgb {
    std::uint8_t r = 0;
    std::uint8_t g = 0;
    std::uint8_t b = 0;
    friend bool operator==(const Rgb&, const Rgb&) = default;
};

// The colour as 0x00BBGGRR with system colours resolved (through the
// application palette when a GUI application exists, otherwise through fixed
// light-theme values); the top byte of a plain colour is dropped.
TColor ColorToRGB(TColor color);

Rgb toRgb(TColor color);
constexpr TColor fromRgb(std::uint8_t r, std::uint8_t g, std::uint8_t b) {
    return static_cast<TColor>(r | (g << 8) | (b << 16));
}

}  // namespace caici
