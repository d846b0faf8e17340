#pragma once
// The text renderer. TCnAAFont measures a text in its surface's current
// font; TCnAAFontEx draws it with the effects of its TCnAAEffect: the drop
// shadow first, then the body (texture, gradient, noise or the font colour)
// over it, each composited through the coverage mask. Callers set the
// surface's font and the effect before each call; the renderer restores the
// surface's font and brush style after drawing.

#include <QSize>
#include <cstdint>
#include <memory>
#include <string_view>

#include "effecttext/aa_blend.h"
#include "effecttext/aa_effect.h"
#include "effecttext/aa_mask.h"
#include "effecttext/aa_types.h"
#include "effecttext/bitmap.h"
#include "effecttext/canvas.h"

namespace caici {

class TCnAAFont {
public:
    explicit TCnAAFont(TCanvas* canvas);
    TCnAAFont(const TCnAAFont&) = delete;
    TCnAAFont& operator=(const TCnAAFont&) = delete;
    virtual ~TCnAAFont();

    // May be empty; then nothing is measured or drawn.
    TCanvas* Canvas() const { return canvas_; }
    void SetCanvas(TCanvas* canvas) { canvas_ = canvas; }
    TCnAAMask& Mask() { return *mask_; }
    const TCnAAMask& Mask() const { return *mask_; }
    TCnAABlend& Blend() { return *blend_; }

    TAAQuality Quality() const { return mask_->Quality(); }
    void SetQuality(TAAQuality value) { mask_->SetQuality(value); }

    // The box TextOutput covers, in pixels.
    virtual QSize TextExtent(std::string_view text);
    int TextHeight(std::string_view text) { return TextExtent(text).height(); }
    int TextWidth(std::string_view text) { return TextExtent(text).width(); }

private:
    TCanvas* canvas_;
    std::unique_ptr<TCnAAMask> mask_;
    std::unique_ptr<TCnAABlend> blend_;
};

class TCnAAFontEx : public TCnAAFont {
public:
    explicit TCnAAFontEx(TCanvas* canvas);
    ~TCnAAFontEx() override;

    TCnAAEffect& Effect() { return *effect_; }
    const TCnAAEffect& Effect() const { return *effect_; }

    // Includes the rotation and the shadow offsets.
    QSize TextExtent(std::string_view text) override;
    // The part of the TextExtent box in which TextOutput can change a pixel
    // (over a surface whose brush is clear): the glyphs' ink of body and
    // shadow, with what the outline, spray, mirrors and blurs make of it.
    // Measured from the glyphs' boxes, nothing drawn; empty when the text
    // has no ink. Fonts' line boxes hold much air above and below the glyphs,
    // so a text sized and placed by this box can fill an area.
    QRect InkExtent(std::string_view text);
    // Draws the text with its effects, its box's top-left at (x, y): the
    // stages below, with the spray between the first two. Only the part of
    // the text that lands on the surface is rendered (MaskPart).
    void TextOutput(int x, int y, std::string_view text);

    // The colours of a textured or gradient body depend on the text, its font
    // and the effect, never on the surface's pixels; a caller that draws the
    // same text again keeps them here and the fill is skipped.
    struct KeptBodyColours {
        TBitmap colours{0, 0, TPixelFormat::pf24bit};
        bool ready = false;
    };

    // The stages of TextOutput, for callers that reuse some of their results.
    // Each expects the surface's font to be set (and turned) as TextOutput
    // sets it.
    //
    // The part of the text's mask box that a text drawn at (x, y) needs to
    // be rendered: what lands on the surface, for the body and the shadow,
    // with the reach of the outline, blurs and spray around it, taken before
    // the mirrors. Over a clear brush, and when no random draw depends on the
    // mask's size (no spray, no noise), only the glyphs' ink with that reach:
    // the air of the line box above and below the glyphs, a third of a large
    // display text, would be rendered, blurred and blended for nothing.
    // Empty when nothing lands on the surface.
    QRect MaskPart(int x, int y, std::string_view text) const;
    // Renders that part of the text into Mask() with its outline; it draws
    // no random numbers.
    void ShapeMask(std::string_view text, const QRect& part);
    // The mask steps after the spray: the mirrors, the shadow's copy with its
    // blur (only with a shadow on), then the body's blur.
    void FinishMasks(TCnAAMask& body, TCnAAMask& shadow) const;
    // Composites a text box at (x, y) from finished masks: the shadow through
    // shadow, then the body through Mask(), coloured by the first of texture,
    // gradient, noise and the font colour that is on. Leaves the surface's
    // brush style as it found it. Needs a surface. Returns the part of the
    // surface the two layers cover: no other pixel changed, but for those
    // the backdrop sets first.
    QRect DrawLayers(int x, int y, const TCnAAMask& shadow, KeptBodyColours* kept = nullptr,
                     const Backdrop& backdrop = {});

    // Steps that fill Blend().ForeBmp() with the body's colours, sized to the
    // mask; each does nothing when its effect is off or there is no surface.
    void FillGradient();
    void FillNoise();
    // Adds random(n) - n / 2 to every byte, clamped.
    void AddNoise(int amount);
    void FillTexture();

private:
    // Where the body's colours come from: the font colour, or ForeBmp with
    // a colour per pixel or one per row (a gradient from top to bottom).
    enum class BodyColours : std::uint8_t { fontColour, perPixel, perRow };
    // Fills Blend().ForeBmp() for BlendEx, unless the body takes the plain
    // font colour. A body of one colour per row gets a raster one pixel
    // wide: the blend reads only a row's first pixel, and a full raster of a
    // display-sized word costs megabytes written and faulted in for nothing.
    BodyColours FillBodyColours(KeptBodyColours* kept);
    // FillGradient into a raster of that many columns.
    void fillGradient(int width);

    std::unique_ptr<TCnAAEffect> effect_;
};

}  // namespace caici
