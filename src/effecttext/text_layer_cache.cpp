#include "effecttext/text_layer_cache.h"

#include <algorithm>

#include "effecttext/aa_mask.h"

namespace caici {

struct TextLayerCache::Entry {
    // The stored masks are only copied, blurred and mirrored, never drawn,
    // so they need no renderer.
    Entry() : shaped(nullptr), shadow(nullptr), body(nullptr) {}

    Key key;
    // After DrawMask and Outline: nothing random has touched it yet.
    TCnAAMask shaped;
    // The finished masks and body colours, valid only without spray.
    TCnAAMask shadow;
    TCnAAMask body;
    bool masksReady = false;
    TBitmap fore{0, 0, TPixelFormat::pf24bit};
    bool foreReady = false;
};

namespace {

// Puts the surface's brush style back, also when a step fails.
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

// Mirrors and the shadow copy with its blur, then the body blur, as the
// renderer orders them after the spray.
void finishMasks(const TCnAAEffect& effect, TCnAAMask& work, TCnAAMask& shadow) {
    if (effect.HorzMirror()) work.HorzMirror();
    if (effect.VertMirror()) work.VertMirror();
    if (effect.Shadow().Enabled()) {
        shadow.CopyFrom(&work);
        if (effect.Shadow().Blur() > 0) shadow.Blur(effect.Shadow().Blur());
    }
    if (effect.Blur() > 0) work.Blur(effect.Blur());
}

}  // namespace

TextLayerCache::TextLayerCache() = default;
TextLayerCache::~TextLayerCache() = default;

TextLayerCache::Key TextLayerCache::keyOf(TCnAAFontEx& renderer, std::string_view text) {
    const TCnAAEffect& effect = renderer.Effect();
    const TCnAAShadow& shadow = effect.Shadow();
    const TCnAAGradual& gradual = effect.Gradual();
    const TCnAATexture& texture = effect.Texture();
    Key key;
    key.text = std::string(text);
    key.font = renderer.Canvas()->Font().LogFont();
    key.fontColor = renderer.Canvas()->Font().Color();
    key.quality = renderer.Quality();
    key.effect = {effect.Alpha(),        effect.Blur(),          effect.Angle(),
                  effect.Noise(),        effect.Spray(),         effect.Outline(),
                  effect.HorzMirror(),   effect.VertMirror(),    shadow.Enabled(),
                  shadow.Blur(),         shadow.Alpha(),         shadow.Color(),
                  shadow.OffsetX(),      shadow.OffsetY(),       gradual.Enabled(),
                  static_cast<int>(gradual.Style()), gradual.StartColor(), gradual.EndColor(),
                  texture.Enabled(),     static_cast<int>(texture.Mode()), texture.Picture().IsIcon(),
                  texture.Picture().Width(), texture.Picture().Height(), 0};
    key.picture = texture.Picture().Graphic().cacheKey();
    return key;
}

TextLayerCache::Entry& TextLayerCache::entryFor(TCnAAFontEx& renderer, const Key& key, std::string_view text) {
    for (std::size_t i = 0; i < entries_.size(); ++i) {
        if (entries_[i] && entries_[i]->key == key) {
            lastUsed_ = i;
            return *entries_[i];
        }
    }
    const std::size_t slot = 1 - lastUsed_;
    entries_[slot] = std::make_unique<Entry>();
    Entry& entry = *entries_[slot];
    entry.key = key;
    TCnAAMask& mask = renderer.Mask();
    mask.DrawMask(text);
    if (renderer.Effect().Outline()) mask.Outline();
    entry.shaped.CopyFrom(&mask);
    lastUsed_ = slot;
    return entry;
}

void TextLayerCache::TextOutput(TCnAAFontEx& renderer, int x, int y, std::string_view text) {
    TCanvas* canvas = renderer.Canvas();
    if (canvas == nullptr || text.empty()) return;
    const TCnAAEffect& effect = renderer.Effect();
    if (effect.Angle() != 0) {
        // Rotated lines are rare; they are drawn afresh.
        renderer.TextOutput(x, y, text);
        return;
    }
    Entry& entry = entryFor(renderer, keyOf(renderer, text), text);

    const TCnAAShadow& shadow = effect.Shadow();
    QPoint textAt(x, y);
    QPoint shadowAt(x, y);
    if (shadow.Enabled()) {
        const int ox = shadow.OffsetX();
        const int oy = shadow.OffsetY();
        textAt = QPoint(x + std::max(-ox, 0), y + std::max(-oy, 0));
        shadowAt = QPoint(x + std::max(ox, 0), y + std::max(oy, 0));
    }

    TCnAAMask& mask = renderer.Mask();
    TCnAAMask* shadowMask = &entry.shadow;
    if (effect.Spray() > 0) {
        mask.CopyFrom(&entry.shaped);
        mask.Spray(effect.Spray());
        finishMasks(effect, mask, entry.shadow);
    } else {
        if (!entry.masksReady) {
            entry.body.CopyFrom(&entry.shaped);
            finishMasks(effect, entry.body, entry.shadow);
            entry.masksReady = true;
        }
        mask.CopyFrom(&entry.body);
    }

    const BrushStyleScope brushStyle(*canvas);
    if (shadow.Enabled()) {
        renderer.Blend().Blend(shadowAt.x(), shadowAt.y(), *shadowMask, shadow.Alpha() * effect.Alpha() / 100,
                               shadow.Color());
        canvas->Brush().Style = TBrushStyle::bsClear;
    }

    const bool textured = effect.Texture().Enabled() && effect.Texture().Picture().HasGraphic();
    if (textured || effect.Gradual().Enabled()) {
        TBitmap& fore = renderer.Blend().ForeBmp();
        if (entry.foreReady) {
            fore.Assign(entry.fore);
        } else {
            if (textured) {
                renderer.FillTexture();
            } else {
                renderer.FillGradient();
            }
            entry.fore.Assign(fore);
            entry.foreReady = true;
        }
        if (effect.Noise() > 0) renderer.AddNoise(effect.Noise());
        renderer.Blend().BlendEx(textAt.x(), textAt.y(), mask, effect.Alpha());
    } else if (effect.Noise() > 0) {
        renderer.FillNoise();
        renderer.Blend().BlendEx(textAt.x(), textAt.y(), mask, effect.Alpha());
    } else {
        renderer.Blend().Blend(textAt.x(), textAt.y(), mask, effect.Alpha(), canvas->Font().Color());
    }
}

}  // namespace caici
