#include "fadetext/text_layer_cache.h"

#include "effecttext/aa_mask.h"

namespace caici {
namespace {

// Lends a kept mask's pixels to the renderer's mask for one drawing and
// takes them back on every way out.
class LentMask {
public:
    LentMask(TCnAAMask& borrower, TCnAAMask& kept) : borrower_(borrower), kept_(kept) { borrower_.SwapPixels(kept_); }
    ~LentMask() { borrower_.SwapPixels(kept_); }
    LentMask(const LentMask&) = delete;
    LentMask& operator=(const LentMask&) = delete;

private:
    TCnAAMask& borrower_;
    TCnAAMask& kept_;
};

}  // namespace

struct TextLayerCache::Entry {
    Key key;
    // Nothing of the text lands on the surface: nothing to draw.
    bool offSurface = false;
    // With spray: the mask after ShapeMask, before anything random touches it.
    TCnAAMask shaped;
    // The finished masks; without spray they are kept from the first drawing.
    TCnAAMask shadow;
    TCnAAMask body;
    TCnAAFontEx::KeptBodyColours bodyColours;
};

TextLayerCache::TextLayerCache() = default;
TextLayerCache::~TextLayerCache() = default;

void TextLayerCache::clear() {
    for (auto& entry : entries_) entry.reset();
}

TextLayerCache::Key TextLayerCache::keyOf(TCnAAFontEx& renderer, int x, int y, std::string_view text) {
    const TCnAAEffect& effect = renderer.Effect();
    const TCnAAShadow& shadow = effect.Shadow();
    const TCnAAGradual& gradual = effect.Gradual();
    const TCnAATexture& texture = effect.Texture();
    Key key;
    key.text = std::string(text);
    key.at = QPoint(x, y);
    key.surface = QSize(renderer.Canvas()->Width(), renderer.Canvas()->Height());
    key.brush = renderer.Canvas()->Brush().Style;
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

bool TextLayerCache::drawsRandomly(const TCnAAFontEx& renderer) {
    return renderer.Effect().Spray() > 0 || renderer.Effect().Noise() > 0;
}

TextLayerCache::Entry* TextLayerCache::find(const Key& key) {
    for (std::size_t i = 0; i < entries_.size(); ++i) {
        if (entries_[i] && entries_[i]->key == key) {
            lastUsed_ = i;
            return entries_[i].get();
        }
    }
    return nullptr;
}

TextLayerCache::Entry& TextLayerCache::reuse(const Key& key) {
    const std::size_t slot = 1 - lastUsed_;
    lastUsed_ = slot;
    if (!entries_[slot]) entries_[slot] = std::make_unique<Entry>();
    // The masks keep their buffers: a display's next line needs about as
    // much, and fresh megabytes cost their first touch.
    Entry& entry = *entries_[slot];
    entry.key = key;
    entry.offSurface = false;
    entry.bodyColours.ready = false;
    return entry;
}

QRect TextLayerCache::TextOutput(TCnAAFontEx& renderer, int x, int y, std::string_view text,
                                 const Backdrop& backdrop) {
    if (renderer.Canvas() == nullptr) return {};
    // Every way out that draws no layers still lays the backdrop down.
    const auto nothingDrawn = [&renderer, &backdrop] {
        copyBackdrop(renderer.Canvas()->Image(), backdrop);
        return QRect();
    };
    if (text.empty()) return nothingDrawn();
    const TCnAAEffect& effect = renderer.Effect();
    if (effect.Angle() != 0) {
        // Rotated lines are rare; they are drawn afresh.
        copyBackdrop(renderer.Canvas()->Image(), backdrop);
        renderer.TextOutput(x, y, text);
        return QRect(0, 0, renderer.Canvas()->Width(), renderer.Canvas()->Height());
    }
    TCnAAMask& mask = renderer.Mask();
    const bool spray = effect.Spray() > 0;
    const Key key = keyOf(renderer, x, y, text);
    Entry* entry = find(key);
    if (entry == nullptr) {
        entry = &reuse(key);
        const QRect part = renderer.MaskPart(x, y, text);
        entry->offSurface = part.isEmpty();
        if (entry->offSurface) return nothingDrawn();
        renderer.ShapeMask(text, part);
        if (spray) {
            entry->shaped.CopyFrom(&mask);
        } else {
            // The first drawing finishes the masks in place and keeps the
            // body's by trading buffers with the entry, not by copying
            // megabytes; the renderer's mask is drawn afresh every time.
            renderer.FinishMasks(mask, entry->shadow);
            entry->body.SwapPixels(mask);
            const LentMask lent(mask, entry->body);
            return renderer.DrawLayers(x, y, entry->shadow, &entry->bodyColours, backdrop);
        }
    }
    if (entry->offSurface) return nothingDrawn();
    if (spray) {
        mask.CopyFrom(&entry->shaped);
        mask.Spray(effect.Spray());
        renderer.FinishMasks(mask, entry->shadow);
        return renderer.DrawLayers(x, y, entry->shadow, &entry->bodyColours, backdrop);
    }
    const LentMask lent(mask, entry->body);
    return renderer.DrawLayers(x, y, entry->shadow, &entry->bodyColours, backdrop);
}

}  // namespace caici
