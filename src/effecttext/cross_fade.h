#pragma once
// The cross-fade from the frame that was on screen to a new line's image.
//
// Fixed point: for a fade alpha a (1..254) and a channel difference
// d = new - old (-255..255) the channel moves by floor(a * d / 256), an
// arithmetic shift right by 8 of the product; the result always lies between
// old and new. Alpha 0 is the old image, 255 the new one, unmixed.

#include <array>
#include <cstddef>
#include <cstdint>

namespace caici {

class TBitmap;

// floor(a * d / 256) for d = -255..255, built once per blend.
class CrossFadeTable {
public:
    explicit CrossFadeTable(std::uint8_t alpha);
    std::int16_t Step(int difference) const { return table_[static_cast<std::size_t>(difference + 255)]; }

private:
    std::array<std::int16_t, 511> table_{};
};

// Mixes count bytes of two rows into destination (all channels alike).
void crossFadeBytes(std::uint8_t* destination, const std::uint8_t* oldRow, const std::uint8_t* newRow,
                    std::size_t count, const CrossFadeTable& table);

// Sizes destination to the smaller height and width of the two images (height
// first) and fills it with their mix at alpha.
void CrossFade(TBitmap& destination, const TBitmap& oldImage, const TBitmap& newImage, std::uint8_t alpha);

}  // namespace caici
