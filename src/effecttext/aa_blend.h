#pragma once
// Composites colour through a coverage mask onto a surface given to each
// call, the top-left of the mask's text box at (x, y) (a mask of a part of the box
// lands at that part's place). With a solid surface brush the whole rectangle is
// painted (brush colour where nothing covers it); with a clear brush the
// surface shows around the glyphs.
//
// Fixed point: a256 = alpha * 256 / 100 (100 -> 256, 70 -> 179, 50 -> 128);
// k = (m * a256) >> 8 kept to 8 bits; a channel p moves to the colour c as
// p + (((c - p) * k) >> 8), the shift flooring; k 0 leaves p, k 255 gives c.

#include <QImage>
#include <QPoint>
#include <QRect>
#include <cstdint>
#include <optional>

#include "effecttext/bitmap.h"
#include "effecttext/colors.h"
#include "effecttext/persistent.h"

namespace caici {

class TCanvas;
class TCnAAMask;

// One layer of BlendLayers: a mask whose text box's top-left lies at at, its
// alpha (0..100) and its colour; a body without a colour takes ForeBmp's.
// oneColourRows tells that each ForeBmp row holds one colour (a gradient
// from top to bottom): the blend then reads only a row's first pixel, and
// ForeBmp may be as narrow as one pixel.
struct BlendLayer {
    QPoint at;
    const TCnAAMask* mask = nullptr;
    int alpha = 100;
    std::optional<TColor> color;
    bool oneColourRows = false;
};

// What a text is drawn over: inside area the surface is first set to
// source's pixels (source of the surface's size). A text drawn where another
// lay puts the background back under the old one this way: each row is
// copied just before the layers are blended onto it, while it is in the
// cache, instead of in a pass of its own over megabytes that the blend then
// reads back from memory.
struct Backdrop {
    const QImage* source = nullptr;
    QRect area;
};

// Sets the surface to the backdrop inside its area, all rows at once.
void copyBackdrop(QImage& surface, const Backdrop& backdrop);

class TCnAABlend : public TPersistent {
public:
    TCnAABlend();
    ~TCnAABlend() override;

    void CopyFrom(const TPersistent* source) override;
    const char* ClassName() const override { return "TCnAABlend"; }

    // Per-pixel colours of the text body (24-bit), drawn by BlendEx.
    TBitmap& ForeBmp() { return foreBmp_; }
    const TBitmap& ForeBmp() const { return foreBmp_; }

    // alpha 0..100; colour may be a system colour.
    void Blend(TCanvas& target, int x, int y, const TCnAAMask& mask, int alpha, TColor color) const;
    // As Blend with the colours of ForeBmp, which must be 24-bit and exactly
    // the mask's size (EInvalidForeBmp otherwise, nothing drawn).
    void BlendEx(TCanvas& target, int x, int y, const TCnAAMask& mask, int alpha) const;
    // Blend of the shadow, if any, over the surface's brush, then Blend or
    // BlendEx of the body, over a clear brush after a shadow: the same pixels
    // as the calls in turn, done row by row so that each surface row gets
    // both layers while it is in the cache, and with the shadow left out
    // where the body covers it fully at full alpha. Checks ForeBmp first, as
    // BlendEx does. The layers go over the backdrop, if one is given.
    void BlendLayers(TCanvas& target, const BlendLayer* shadow, const BlendLayer& body,
                     const Backdrop& backdrop = {}) const;

private:
    // Rows of one colour need only their first pixel.
    void checkForeBmp(const TCnAAMask& mask, bool oneColourRows = false) const;

    TBitmap foreBmp_;
};

}  // namespace caici
