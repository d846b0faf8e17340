#pragma once
// A coverage mask: a grey image exactly as large as a text, each byte saying
// how much of the pixel the glyphs cover (0 none, 255 all). The text is drawn
// with hard edges at Scale times its size and every Scale x Scale block is
// averaged into one mask pixel. Rows are stored bottom-up with Stride bytes
// each (Width rounded up to a multiple of 4); the padding bytes are never
// read. The shape effects that need coverage alone (outline, blur, spray,
// mirrors) work in place.
//
// A mask may hold only a part of its text's box: the part that lands on the
// surface of a text larger than it. BoxSize is then the whole box and
// PartOrigin the part's top-left in it; Width and Height are the part's.
// The mirrors flip the whole box, so a mirrored part moves to the matching
// place. A full mask has PartOrigin (0, 0) and BoxSize (Width, Height).

#include <QPoint>
#include <QRect>
#include <QSize>
#include <cstdint>
#include <string_view>
#include <vector>

#include "effecttext/aa_types.h"
#include "effecttext/persistent.h"

namespace caici {

class TFont;
struct TLogFont;

class TCnAAMask : public TPersistent {
public:
    TCnAAMask();

    void CopyFrom(const TPersistent* source) override;
    const char* ClassName() const override { return "TCnAAMask"; }
    // Trades coverage, size and part with other; each keeps its quality.
    void SwapPixels(TCnAAMask& other) noexcept;

    TAAQuality Quality() const { return quality_; }
    void SetQuality(TAAQuality value);
    int Scale() const { return scale_; }
    int Width() const { return width_; }
    int Height() const { return height_; }
    int Stride() const { return stride_; }
    QSize BoxSize() const { return box_; }
    QPoint PartOrigin() const { return partOrigin_; }
    // Bytes per row of the supersampled raster of the last rendering.
    int RasterRowLength() const { return rasterRowLength_; }

    // The Width coverage bytes of row y (0 = top); EInvalidLine outside.
    std::uint8_t* ScanLine(int y);
    const std::uint8_t* ScanLine(int y) const;

    // The size DrawMask gives the mask for the text in font. Texts are cut
    // and fonts capped as render_limits.h says.
    QSize TextSize(const TFont& font, std::string_view text) const;
    // The TextSize box and the part of it where DrawMask can leave coverage
    // above 0 (the ink), found from the glyphs' boxes without drawing; the
    // ink is empty for a text without ink.
    struct TextInk {
        QSize box{0, 0};
        QRect ink;
    };
    TextInk MeasureInk(const TFont& font, std::string_view text) const;
    // Renders the text in font (a surface's current font).
    void DrawMask(const TFont& font, std::string_view text);
    // Renders only the part of the text's box inside part (box coordinates).
    // ETextTooLarge when that part is larger than the renderer draws at once.
    void DrawMaskPart(const TFont& font, std::string_view text, const QRect& part);

    // Resizes to width x height with every pixel 0, a full mask; for masks
    // made by hand.
    void SetSize(int width, int height);

    void Outline();
    // amount 1..100: the 5 x 5 box average mixed in by round(amount * 255 / 100) / 256.
    void Blur(int amount);
    // Becomes source blurred by amount, as CopyFrom and then Blur would make
    // it, without a pass that copies the coverage first.
    void CopyBlurred(const TCnAAMask& source, int amount);
    // amount 1..100: each pixel takes a randomly displaced pixel's value.
    void Spray(int amount);
    void HorzMirror();
    void VertMirror();

private:
    struct Measure {
        QSize size{0, 0};
        QPoint offset;
    };
    Measure MeasureText(const TLogFont& font, std::string_view text) const;
    void Render(const TLogFont& font, std::string_view text, const Measure& measure, const QRect& part);
    TLogFont scaledFont(const TFont& font) const;
    int rowOffset(int y) const { return stride_ * (height_ - 1 - y); }

    TAAQuality quality_ = TAAQuality::aqNormal;
    std::vector<std::uint8_t> buffer_;
    int height_ = 0;
    int width_ = 0;
    int rasterRowLength_ = 0;
    int stride_ = 0;
    int scale_ = 3;
    QSize box_{0, 0};
    QPoint partOrigin_{0, 0};
    // The supersampled band Render draws into; not part of the mask's value.
    std::vector<std::uint8_t> bandSamples_;
};

}  // namespace caici
