#pragma once
// The cross-fade from the frame that was on screen to a new line's image.
//
// Fixed point: for a fade alpha a (1..254) and a channel difference
// d = new - old (-255..255) the channel moves by floor(a * d / 256), an
// arithmetic shift right by 8 of the product; the result always lies between
// old and new. Alpha 0 is the old image, 255 the new one, unmixed.
//
// Since old * 256 is a whole multiple of 256, old + floor(a * d / 256) equals
// (old * (256 - a) + new * a) >> 8, whose terms stay within 16 bits; that
// form needs no per-byte table look-up and the compiler can work on many
// bytes at once.

#include <QRect>
#include <cstddef>
#include <cstdint>

namespace caici {

class TBitmap;

// Mixes count bytes of two rows into destination (all channels alike);
// alpha 1..254.
void crossFadeBytes(std::uint8_t* destination, const std::uint8_t* oldRow, const std::uint8_t* newRow,
                    std::size_t count, std::uint8_t alpha);

// Sizes destination to the smaller height and width of the two images (height
// first) and fills it with their mix at alpha.
void CrossFade(TBitmap& destination, const TBitmap& oldImage, const TBitmap& newImage, std::uint8_t alpha);

// The mix of CrossFade inside area only, written from destination's
// top-left corner on (destination at least area's size): a band of a frame
// mixed on its way to the screen. The two images are of one size and pixel
// format, destination of that format.
void crossFadeAreaTo(TBitmap& destination, const TBitmap& oldImage, const TBitmap& newImage, std::uint8_t alpha,
                     const QRect& area);

// Inside area, oldImage becomes its mix with newImage (of one size and
// format) at alpha.
void crossFadeInPlace(TBitmap& oldImage, const TBitmap& newImage, std::uint8_t alpha, const QRect& area);

// Copies the pixels inside area between two images of one size and format.
void copyArea(TBitmap& destination, const TBitmap& source, const QRect& area);

}  // namespace caici
