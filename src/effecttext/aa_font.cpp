#include "effecttext/aa_font.h"

#include <algorithm>
#include <cstdlib>

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

// The brush style the shadow layer switches to clear, put back afterwards,
// also when a step fails, so that a failed drawing leaves the surface as it was.
class BrushStyleScope {
public:
    explicit BrushStyleScope(TCanvas& canvas) : canvas_(canvas), saved_(canvas.Brush().Style) {}
    BrushStyleScope(const BrushStyleScope&) = delete;
    BrushStyleScope& operator=(const BrushStyleScope&) = delete;
    ~BrushStyleScope() { canvas_.Brush().Style = saved_; }

private:
    TCanvas& canvas_;
    TBrushStyle saved_;
};

}  // namespace

TCnAAFont::TCnAAFont(TCanvas* canvas)
    : canvas_(canvas), mask_(std::make_unique<TCnAAMask>(this)), blend_(std::make_unique<TCnAABlend>(this)) {}

TCnAAFont::~TCnAAFont() = default;

QSize TCnAAFont::TextExtent(std::string_view text) { return mask_->TextSize(text); }

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

void TCnAAFontEx::TextOutput(int x, int y, std::string_view text) {
    TCanvas* canvas = Canvas();
    if (canvas == nullptr || text.empty()) return;
    const TCnAAEffect& effect = *effect_;
    const RotatedFontScope rotation(canvas, effect.Angle());

    const TCnAAShadow& shadow = effect.Shadow();
    QPoint textAt(x, y);
    QPoint shadowAt(x, y);
    if (shadow.Enabled()) {
        const int ox = shadow.OffsetX();
        const int oy = shadow.OffsetY();
        textAt = QPoint(x + std::max(-ox, 0), y + std::max(-oy, 0));
        shadowAt = QPoint(x + std::max(ox, 0), y + std::max(oy, 0));
    }

    TCnAAMask& mask = Mask();
    mask.DrawMask(text);
    if (effect.Outline()) mask.Outline();
    if (effect.Spray() > 0) mask.Spray(effect.Spray());
    if (effect.HorzMirror()) mask.HorzMirror();
    if (effect.VertMirror()) mask.VertMirror();

    const BrushStyleScope brushStyle(*canvas);
    if (shadow.Enabled()) {
        TCnAAMask shadowMask(this);
        shadowMask.CopyFrom(&mask);
        if (shadow.Blur() > 0) shadowMask.Blur(shadow.Blur());
        Blend().Blend(shadowAt.x(), shadowAt.y(), shadowMask, shadow.Alpha() * effect.Alpha() / 100, shadow.Color());
        // The body composites over the shadow, not over a fresh fill.
        canvas->Brush().Style = TBrushStyle::bsClear;
    }

    if (effect.Blur() > 0) mask.Blur(effect.Blur());

    if (effect.Texture().Enabled() && effect.Texture().Picture().HasGraphic()) {
        FillTexture();
        if (effect.Noise() > 0) AddNoise(effect.Noise());
        Blend().BlendEx(textAt.x(), textAt.y(), mask, effect.Alpha());
    } else if (effect.Gradual().Enabled()) {
        FillGradient();
        if (effect.Noise() > 0) AddNoise(effect.Noise());
        Blend().BlendEx(textAt.x(), textAt.y(), mask, effect.Alpha());
    } else if (effect.Noise() > 0) {
        FillNoise();
        Blend().BlendEx(textAt.x(), textAt.y(), mask, effect.Alpha());
    } else {
        Blend().Blend(textAt.x(), textAt.y(), mask, effect.Alpha(), canvas->Font().Color());
    }
}

}  // namespace caici
