#pragma once
// Draws a text through the stages of TCnAAFontEx::TextOutput, but keeps, for
// the last two texts drawn, the work that does not depend on the pixels beneath:
// the glyph mask with its outline when a spray follows, else the mirrored and
// blurred masks of shadow and body, and the body's gradient or texture
// colours. A transparent fade-text control draws the same two lines
// over a fresh background at every fade step; only the compositing is then
// done again. Spray and noise still draw their random numbers at every call,
// in the same order as a fresh rendering, so the result is always identical
// to one.

#include <QImage>
#include <QPoint>
#include <QRect>
#include <QSize>
#include <array>
#include <cstdint>
#include <memory>
#include <string>
#include <string_view>

#include "effecttext/aa_blend.h"
#include "effecttext/aa_font.h"
#include "effecttext/font.h"

namespace caici {

class TextLayerCache {
public:
    TextLayerCache();
    ~TextLayerCache();
    TextLayerCache(const TextLayerCache&) = delete;
    TextLayerCache& operator=(const TextLayerCache&) = delete;

    // Everything a rendering depends on except the surface's pixels; the
    // place, the surface's size and its brush decide which part of the text
    // is drawn.
    struct Key {
        std::string text;
        QPoint at;
        QSize surface;
        TBrushStyle brush = TBrushStyle::bsClear;
        TLogFont font;
        TColor fontColor = 0;
        TAAQuality quality = TAAQuality::aqNormal;
        std::array<int, 24> effect{};
        qint64 picture = 0;
        friend bool operator==(const Key&, const Key&) = default;
    };
    // Needs the renderer's surface.
    static Key keyOf(TCnAAFontEx& renderer, int x, int y, std::string_view text);
    // Whether drawing with the renderer's effect draws random numbers (spray
    // or noise), so that two drawings of one key differ.
    static bool drawsRandomly(const TCnAAFontEx& renderer);

    // Lets go of every kept layer.
    void clear();

    // renderer.TextOutput(x, y, text) with the reuse described above, over
    // the backdrop, if one is given. Returns the part of the surface outside
    // which no pixel but the backdrop's was changed.
    QRect TextOutput(TCnAAFontEx& renderer, int x, int y, std::string_view text, const Backdrop& backdrop = {});

private:
    struct Entry;

    // The entry kept for key, if any; it becomes the last used.
    Entry* find(const Key& key);
    // The entry used least recently, given to key with nothing drawn yet.
    Entry& reuse(const Key& key);

    std::array<std::unique_ptr<Entry>, 2> entries_;
    std::size_t lastUsed_ = 0;
};

}  // namespace caici
