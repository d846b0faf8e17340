#include "effecttext/aa_font.h"

#include <algorithm>
#include <cstdlib>
#include <optional>

namespace caici {
namespace {

// Gives the surface a copy of its font turned by the effect's angle and puts
// the original back on every path out.
class RotatedFontScope {
public:
    RotatedFontScope(TCanvas* canvas, int angle) {
        if (canvas == nullptr || angle == 0) return;
        canvas_ = canvas;
        saved_ = std::make_unique<TFont>(canvas->Font());
        TLogFont rotated = saved_->LogFont();
        rotated.Escapement = angle * 10;
        canvas->Font().SetLogFont(rotated);
    }
    RotatedFontScope(const RotatedFontScope&) = delete;
    RotatedFontScope& operator=(const RotatedFontScope&) = delete;
    ~RotatedFontScope() {
        if (canvas_ != nullptr) canvas_->Font().Assign(*saved_);
    }

private:
    TCanvas* canvas_ = nullptr;
    std::unique_ptr<TFont> saved_;
};

// A shadow offset moves the layer on its side of the box: the shadow by the
// positive parts, the body by the negative ones, so both stay inside the box
// TextExtent reports.
struct LayerPositions {
    QPoint text;
    QPoint shadow;
};

LayerPositions layerPositions(const TCnAAShadow& shadow, int x, int y) {
    if (!shadow.Enabled()) return {QPoint(x, y), QPoint(x, y)};
    const int ox = shadow.OffsetX();
    const int oy = shadow.OffsetY();
    return {QPoint(x + std::max(-ox, 0), y + std::max(-oy, 0)), QPoint(x + std::max(ox, 0), y + std::max(oy, 0))};
}

}  // namespace

TCnAAFont::TCnAAFont(TCanvas* canvas)
    : canvas_(canvas), mask_(std::make_unique<TCnAAMask>()), blend_(std::make_unique<TCnAABlend>()) {}

TCnAAFont::~TCnAAFont() = default;

QSize TCnAAFont::TextExtent(std::string_view text) {
    return canvas_ != nullptr ? mask_->TextSize(canvas_->Font(), text) : QSize(0, 0);
}

TCnAAFontEx::TCnAAFontEx(TCanvas* canvas) : TCnAAFont(canvas), effect_(std::make_unique<TCnAAEffect>()) {}

TCnAAFontEx::~TCnAAFontEx() { effect_.reset(); }

QSize TCnAAFontEx::TextExtent(std::string_view text) {
    QSize size;
    {
        const RotatedFontScope rotation(Canvas(), effect_->Angle());
        size = TCnAAFont::TextExtent(text);
    }
    if (effect_->Shadow().Enabled()) {
        size += QSize(std::abs(effect_->Shadow().OffsetX()), std::abs(effect_->Shadow().OffsetY()));
    }
    return size;
}

QRect TCnAAFontEx::InkExtent(std::string_view text) {
    if (Canvas() == nullptr || text.empty()) return {};
    const RotatedFontScope rotation(Canvas(), effect_->Angle());
    const TCnAAEffect& effect = *effect_;
    const TCnAAMask::TextInk measured = Mask().MeasureInk(Canvas()->Font(), text);
    const QRect box(QPoint(0, 0), measured.box);
    QRect ink = measured.ink;
    if (ink.isEmpty()) return {};
    // Each step spreads coverage by its reach (the outline reads the pixels
    // next to it, a spray up to its amount away, a blur two around it), but
    // never out of the mask.
    const auto spread = [&box](const QRect& area, int reach) {
        return area.adjusted(-reach, -reach, reach, reach).intersected(box);
    };
    if (effect.Outline()) ink = spread(ink, 1);
    if (effect.Spray() > 0) ink = spread(ink, effect.Spray());
    if (effect.HorzMirror()) ink.moveLeft(box.width() - ink.left() - ink.width());
    if (effect.VertMirror()) ink.moveTop(box.height() - ink.top() - ink.height());
    const LayerPositions at = layerPositions(effect.Shadow(), 0, 0);
    QRect drawn = (effect.Blur() > 0 ? spread(ink, 2) : ink).translated(at.text);
    if (effect.Shadow().Enabled()) {
        drawn |= (effect.Shadow().Blur() > 0 ? spread(ink, 2) : ink).translated(at.shadow);
    }
    return drawn;
}

void TCnAAFontEx::TextOutput(int x, int y, std::string_view text) {
    if (Canvas() == nullptr || text.empty()) return;
    const RotatedFontScope rotation(Canvas(), effect_->Angle());
    const QRect part = MaskPart(x, y, text);
    if (part.isEmpty()) return;
    ShapeMask(text, part);
    if (effect_->Spray() > 0) Mask().Spray(effect_->Spray());
    TCnAAMask shadowMask;
    FinishMasks(Mask(), shadowMask);
    DrawLayers(x, y, shadowMask);
}

QRect TCnAAFontEx::MaskPart(int x, int y, std::string_view text) const {
    if (Canvas() == nullptr) return {};
    const TCnAAEffect& effect = *effect_;
    // Spray and noise draw a random number for every pixel of the mask, so
    // the mask's size decides which pixel gets which draw; a solid brush
    // paints the whole mask rectangle.
    const bool inkOnly =
        effect.Spray() == 0 && effect.Noise() == 0 && Canvas()->Brush().Style == TBrushStyle::bsClear;
    const TFont& font = Canvas()->Font();
    const TCnAAMask::TextInk measured =
        inkOnly ? Mask().MeasureInk(font, text) : TCnAAMask::TextInk{Mask().TextSize(font, text), {}};
    // Without ink (blanks only) a clear brush leaves every pixel as it is.
    if (inkOnly && measured.ink.isEmpty()) return {};
    const QSize box = measured.box;
    const LayerPositions at = layerPositions(effect.Shadow(), x, y);
    const QRect surface(0, 0, Canvas()->Width(), Canvas()->Height());
    QRect needed = surface.translated(-at.text);
    if (effect.Shadow().Enabled()) needed |= surface.translated(-at.shadow);
    // A pixel's outline reads one pixel around it, a blur two, a spray up to
    // its amount; with that margin the pixels that land on the surface come
    // out as in a rendering of the whole box (but for the spray's random picks).
    const int reach = 1 + 2 + effect.Spray() + 1;
    needed = needed.adjusted(-reach, -reach, reach, reach).intersected(QRect(QPoint(0, 0), box));
    if (needed.isEmpty()) return {};
    // The mirrors come after the rendering: render the mirror image of what is needed.
    if (effect.HorzMirror()) needed.moveLeft(box.width() - needed.left() - needed.width());
    if (effect.VertMirror()) needed.moveTop(box.height() - needed.top() - needed.height());
    // Beyond the reach of the ink every step leaves coverage 0, and a blur's
    // edge, repeating 0, sums what the wider mask sums there.
    if (inkOnly) needed &= measured.ink.adjusted(-reach, -reach, reach, reach);
    return needed;
}

void TCnAAFontEx::ShapeMask(std::string_view text, const QRect& part) {
    if (Canvas() != nullptr) Mask().DrawMaskPart(Canvas()->Font(), text, part);
    if (effect_->Outline()) Mask().Outline();
}

void TCnAAFontEx::FinishMasks(TCnAAMask& body, TCnAAMask& shadow) const {
    const TCnAAEffect& effect = *effect_;
    if (effect.HorzMirror()) body.HorzMirror();
    if (effect.VertMirror()) body.VertMirror();
    if (effect.Shadow().Enabled()) {
        if (effect.Shadow().Blur() > 0) {
            shadow.CopyBlurred(body, effect.Shadow().Blur());
        } else {
            shadow.CopyFrom(&body);
        }
    }
    if (effect.Blur() > 0) body.Blur(effect.Blur());
}

QRect TCnAAFontEx::DrawLayers(int x, int y, const TCnAAMask& shadow, KeptBodyColours* kept,
                              const Backdrop& backdrop) {
    TCanvas& canvas = *Canvas();
    const TCnAAEffect& effect = *effect_;
    const TCnAAShadow& shadowEffect = effect.Shadow();
    const LayerPositions at = layerPositions(shadowEffect, x, y);
    // A mask of a part of its box lands where that part lies.
    const auto layer = [](QPoint box, const TCnAAMask& mask) {
        return QRect(box + mask.PartOrigin(), QSize(mask.Width(), mask.Height()));
    };
    QRect covered = layer(at.text, Mask());
    // The body's colours come from the text and the effect alone, never from
    // the surface, so they may be filled before the shadow is drawn.
    BlendLayer body{at.text, &Mask(), effect.Alpha(), std::nullopt};
    switch (FillBodyColours(kept)) {
        case BodyColours::fontColour:
            body.color = canvas.Font().Color();
            break;
        case BodyColours::perRow:
            body.oneColourRows = true;
            break;
        case BodyColours::perPixel:
            break;
    }
    if (shadowEffect.Enabled()) {
        covered |= layer(at.shadow, shadow);
        const BlendLayer shadowLayer{at.shadow, &shadow, shadowEffect.Alpha() * effect.Alpha() / 100,
                                      shadowEffect.Color()};
        Blend().BlendLayers(canvas, &shadowLayer, body, backdrop);
    } else {
        Blend().BlendLayers(canvas, nullptr, body, backdrop);
    }
    return covered & QRect(0, 0, canvas.Width(), canvas.Height());
}

TCnAAFontEx::BodyColours TCnAAFontEx::FillBodyColours(KeptBodyColours* kept) {
    const TCnAAEffect& effect = *effect_;
    const bool textured = effect.Texture().Enabled() && effect.Texture().Picture().HasGraphic();
    if (textured || effect.Gradual().Enabled()) {
        TBitmap& fore = Blend().ForeBmp();
        const bool rowColours = !textured && effect.Noise() == 0 && !isHorizontal(effect.Gradual().Style());
        if (kept != nullptr && kept->ready) {
            fore.Assign(kept->colours);
        } else {
            if (textured) {
                FillTexture();
            } else {
                fillGradient(rowColours ? 1 : Mask().Width());
            }
            if (kept != nullptr) {
                kept->colours.Assign(fore);
                kept->ready = true;
            }
        }
        // Noise is random: drawn again at every call, never kept.
        if (effect.Noise() > 0) {
            AddNoise(effect.Noise());
            return BodyColours::perPixel;
        }
        return rowColours ? BodyColours::perRow : BodyColours::perPixel;
    }
    if (effect.Noise() > 0) {
        FillNoise();
        return BodyColours::perPixel;
    }
    return BodyColours::fontColour;
}

}  // namespace caici
