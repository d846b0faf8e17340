#include "effecttext/aa_blend.h"

#include <QPainter>
#include <algorithm>
#include <array>
#include <cstring>
#include <vector>

#include "effecttext/canvas.h"
#include "effecttext/aa_mask.h"
#include "effecttext/blend_rows.h"
#include "effecttext/effect_errors.h"

namespace caici {
namespace {

// Where the colour of a mask pixel comes from: one constant colour (step 0),
// the foreground raster's row (step 3, blue-green-red), or the first pixel of
// that row when every row holds one colour (step 0).
struct ColourRows {
    const TBitmap* fore = nullptr;
    bool oneColourRows = false;
    std::array<std::uint8_t, 3> constant{};
    const std::uint8_t* row(int y) const { return fore ? fore->ScanLine(y) : constant.data(); }
    bool perPixel() const { return fore != nullptr && !oneColourRows; }
};

ColourRows constantColour(TColor color) {
    const Rgb rgb = toRgb(color);
    ColourRows colours;
    colours.constant = {rgb.b, rgb.g, rgb.r};
    return colours;
}

// One layer of a blend: a mask placed on the surface (its part's top-left at
// left, top), clipped to the surface's columns x0 .. x1 - 1 and rows y0 ..
// y1 - 1. The blend is done in place on the surface's rows; a pixel outside
// the surface would be composited in the work rectangle and then cut off by
// the copy back, so skipping it changes nothing.
struct Layer {
    const TCnAAMask* mask = nullptr;
    int left = 0;
    int top = 0;
    int x0 = 0;
    int y0 = 0;
    int x1 = 0;
    int y1 = 0;
    int a256 = 0;
    bool solid = false;
    Rgb brush{};
    ColourRows colours;

    bool hasRow(int y) const { return y >= y0 && y < y1 && x0 < x1; }
};

Layer placeLayer(const QImage& surface, QPoint box, const TCnAAMask& mask, int alpha, const TBrush& brush,
                 const ColourRows& colours) {
    Layer layer;
    layer.mask = &mask;
    // A mask that holds a part of its text's box lands where that part lies.
    layer.left = box.x() + mask.PartOrigin().x();
    layer.top = box.y() + mask.PartOrigin().y();
    layer.x0 = std::max(layer.left, 0);
    layer.y0 = std::max(layer.top, 0);
    layer.x1 = std::min(layer.left + mask.Width(), surface.width());
    layer.y1 = std::min(layer.top + mask.Height(), surface.height());
    // a256 = alpha * 256 / 100: 100 -> 256, 70 -> 179, 50 -> 128. An alpha
    // outside 0..100 (settings are loaded unchecked) would push k past 255
    // and wrap the channels; it counts as the nearest end of the range.
    layer.a256 = std::clamp(alpha, 0, 100) * 256 / 100;
    layer.solid = brush.Style == TBrushStyle::bsSolid;
    layer.brush = toRgb(brush.Color);
    layer.colours = colours;
    return layer;
}

// Surface row sy of a layer. hidden: as for blendRowTowards, which only the
// 4-byte pixels under a clear brush go through.
template <int Bpp, bool Solid, int ForeStep>
void blendRow(QImage& surface, const Layer& layer, int sy, const std::uint8_t* hidden) {
    const int my = sy - layer.top;
    const std::uint8_t* coverage = layer.mask->ScanLine(my) + (layer.x0 - layer.left);
    const std::uint8_t* colour = layer.colours.row(my) + ForeStep * (layer.x0 - layer.left);
    std::uint8_t* pixel = surface.scanLine(sy) + Bpp * layer.x0;
    if constexpr (Bpp == 4 && !Solid) {
        blendRowTowards(pixel, coverage, colour, ForeStep, layer.x1 - layer.x0, layer.a256, hidden);
        return;
    }
    const Rgb brush = layer.brush;
    for (int sx = layer.x0; sx < layer.x1; ++sx, ++coverage, colour += ForeStep, pixel += Bpp) {
        const int k = (*coverage * layer.a256) >> 8;
        if constexpr (Solid) {
            pixel[0] = brush.b;
            pixel[1] = brush.g;
            pixel[2] = brush.r;
            if constexpr (Bpp == 4) pixel[3] = 0xFF;
        }
        if (k == 0) continue;
        if (k == 255) {
            pixel[0] = colour[0];
            pixel[1] = colour[1];
            pixel[2] = colour[2];
            continue;
        }
        // p + floor((c - p) * k / 256): the shift of a negative product floors.
        for (int ch = 0; ch < 3; ++ch) {
            const int p = pixel[ch];
            pixel[ch] = static_cast<std::uint8_t>(p + (((colour[ch] - p) * k) >> 8));
        }
    }
}

using RowBlend = void (*)(QImage&, const Layer&, int, const std::uint8_t*);

template <int Bpp>
RowBlend rowBlendOf(const Layer& layer) {
    if (layer.colours.perPixel()) return layer.solid ? &blendRow<Bpp, true, 3> : &blendRow<Bpp, false, 3>;
    return layer.solid ? &blendRow<Bpp, true, 0> : &blendRow<Bpp, false, 0>;
}

// Bytes per pixel of the surface, which is first turned into one of the two
// layouts the blend writes if it is in neither.
int preparedBytesPerPixel(QImage& surface) {
    switch (surface.format()) {
        case QImage::Format_BGR888:
            return 3;
        case QImage::Format_RGB32:
        case QImage::Format_ARGB32:
        case QImage::Format_ARGB32_Premultiplied:
            return 4;
        default:
            surface.convertTo(QImage::Format_RGB32);
            return 4;
    }
}

// The over layer's coverage at the under layer's columns of row sy, 0 where
// it does not reach; nothing when it reaches none of them.
const std::uint8_t* hiddenRow(const Layer& under, const Layer& over, int sy, std::vector<std::uint8_t>& row) {
    const int from = std::max(under.x0, over.x0);
    const int to = std::min(under.x1, over.x1);
    if (!over.hasRow(sy) || from >= to) return nullptr;
    std::fill(row.begin(), row.end(), std::uint8_t{0});
    const std::uint8_t* coverage = over.mask->ScanLine(sy - over.top) + (from - over.left);
    std::copy(coverage, coverage + (to - from), row.begin() + (from - under.x0));
    return row.data();
}

// The backdrop's part of each surface row, copied on request. A source in
// another pixel format than the surface is drawn over the area at once on
// construction instead, converted by Qt, and leaves no rows to copy.
class BackdropRows {
public:
    BackdropRows() = default;
    BackdropRows(QImage& surface, const Backdrop& backdrop) {
        if (backdrop.source == nullptr || surface.isNull()) return;
        const QImage& source = *backdrop.source;
        const QRect area = backdrop.area & surface.rect() & source.rect();
        if (area.isEmpty()) return;
        if (source.format() != surface.format()) {
            QPainter painter(&surface);
            painter.setCompositionMode(QPainter::CompositionMode_Source);
            painter.drawImage(area.topLeft(), source, area);
            return;
        }
        surface_ = &surface;
        source_ = &source;
        area_ = area;
        const auto bytesPerPixel = static_cast<std::size_t>(surface.depth() / 8);
        offset_ = bytesPerPixel * static_cast<std::size_t>(area.left());
        bytes_ = bytesPerPixel * static_cast<std::size_t>(area.width());
    }

    // Rows top() .. bottom() - 1; none when top() == bottom().
    int top() const { return area_.isEmpty() ? 0 : area_.top(); }
    int bottom() const { return area_.isEmpty() ? 0 : area_.bottom() + 1; }
    void copyRow(int y) const {
        if (y < area_.top() || y > area_.bottom()) return;
        std::memcpy(surface_->scanLine(y) + offset_, source_->constScanLine(y) + offset_, bytes_);
    }

private:
    QImage* surface_ = nullptr;
    const QImage* source_ = nullptr;
    QRect area_;
    std::size_t offset_ = 0;
    std::size_t bytes_ = 0;
};

// The rows from first to last - 1 that either range covers; an empty range
// adds nothing.
struct RowRange {
    int first = 0;
    int last = 0;
    void add(int from, int to) {
        if (from >= to) return;
        if (first >= last) {
            first = from;
            last = to;
            return;
        }
        first = std::min(first, from);
        last = std::max(last, to);
    }
};

// Blends the under layer (if any) and then the over layer, row by row: every
// surface row gets the backdrop and both layers while it is in the cache,
// with the same result as one step after the other. A layer at full alpha
// under a clear brush gives its own colour exactly where it covers fully, so
// the under layer is left out where the over layer hides it.
void blendLayers(TCanvas& canvas, const Layer* under, const Layer& over, int bytesPerPixel,
                 const BackdropRows& backdrop = {}) {
    QImage& surface = canvas.Image();
    const auto rowBlend = [bytesPerPixel](const Layer& layer) {
        return bytesPerPixel == 3 ? rowBlendOf<3>(layer) : rowBlendOf<4>(layer);
    };
    const RowBlend overRow = rowBlend(over);
    const RowBlend underRow = under != nullptr ? rowBlend(*under) : nullptr;
    RowRange rows;
    rows.add(backdrop.top(), backdrop.bottom());
    if (over.x0 < over.x1) rows.add(over.y0, over.y1);
    if (under != nullptr && under->x0 < under->x1) rows.add(under->y0, under->y1);
    const bool hides = under != nullptr && over.a256 == 256 && !over.solid;
    std::vector<std::uint8_t> hidden(hides ? static_cast<std::size_t>(std::max(under->x1 - under->x0, 0)) : 0);
    for (int sy = rows.first; sy < rows.last; ++sy) {
        backdrop.copyRow(sy);
        if (under != nullptr && under->hasRow(sy)) {
            underRow(surface, *under, sy, hides ? hiddenRow(*under, over, sy, hidden) : nullptr);
        }
        if (over.hasRow(sy)) overRow(surface, over, sy, nullptr);
    }
}

bool emptyMask(const TCnAAMask& mask) { return mask.Width() <= 0 || mask.Height() <= 0; }

}  // namespace

void copyBackdrop(QImage& surface, const Backdrop& backdrop) {
    const BackdropRows rows(surface, backdrop);
    for (int y = rows.top(); y < rows.bottom(); ++y) rows.copyRow(y);
}

TCnAABlend::TCnAABlend() : foreBmp_(0, 0, TPixelFormat::pf24bit) {}

TCnAABlend::~TCnAABlend() = default;

void TCnAABlend::CopyFrom(const TPersistent* source) {
    const auto* other = dynamic_cast<const TCnAABlend*>(source);
    if (other == nullptr) {
        TPersistent::CopyFrom(source);
        return;
    }
    foreBmp_.Assign(other->foreBmp_);
}

void TCnAABlend::Blend(TCanvas& canvas, int x, int y, const TCnAAMask& mask, int alpha, TColor color) const {
    if (emptyMask(mask)) return;
    if (canvas.Image().isNull()) return;
    const int bytesPerPixel = preparedBytesPerPixel(canvas.Image());
    const Layer layer = placeLayer(canvas.Image(), QPoint(x, y), mask, alpha, canvas.Brush(), constantColour(color));
    blendLayers(canvas, nullptr, layer, bytesPerPixel);
}

void TCnAABlend::BlendEx(TCanvas& canvas, int x, int y, const TCnAAMask& mask, int alpha) const {
    checkForeBmp(mask);
    if (emptyMask(mask)) return;
    if (canvas.Image().isNull()) return;
    const int bytesPerPixel = preparedBytesPerPixel(canvas.Image());
    ColourRows colours;
    colours.fore = &foreBmp_;
    const Layer layer = placeLayer(canvas.Image(), QPoint(x, y), mask, alpha, canvas.Brush(), colours);
    blendLayers(canvas, nullptr, layer, bytesPerPixel);
}

void TCnAABlend::BlendLayers(TCanvas& canvas, const BlendLayer* shadow, const BlendLayer& body,
                             const Backdrop& backdrop) const {
    if (!body.color) checkForeBmp(*body.mask, body.oneColourRows);
    const bool noShadow = shadow == nullptr || emptyMask(*shadow->mask);
    if (canvas.Image().isNull()) return;
    if (noShadow && emptyMask(*body.mask)) {
        copyBackdrop(canvas.Image(), backdrop);
        return;
    }
    const int bytesPerPixel = preparedBytesPerPixel(canvas.Image());
    const QImage& surface = canvas.Image();
    const BackdropRows backdropRows(canvas.Image(), backdrop);
    ColourRows bodyColours;
    if (body.color) {
        bodyColours = constantColour(*body.color);
    } else {
        bodyColours.fore = &foreBmp_;
        bodyColours.oneColourRows = body.oneColourRows;
    }
    if (shadow == nullptr) {
        const Layer over = placeLayer(surface, body.at, *body.mask, body.alpha, canvas.Brush(), bodyColours);
        blendLayers(canvas, nullptr, over, bytesPerPixel, backdropRows);
        return;
    }
    const Layer under = placeLayer(surface, shadow->at, *shadow->mask, shadow->alpha, canvas.Brush(),
                                   constantColour(shadow->color.value_or(0)));
    const TBrush clear{0, TBrushStyle::bsClear};
    const Layer over = placeLayer(surface, body.at, *body.mask, body.alpha, clear, bodyColours);
    blendLayers(canvas, &under, over, bytesPerPixel, backdropRows);
}

void TCnAABlend::checkForeBmp(const TCnAAMask& mask, bool oneColourRows) const {
    const bool wideEnough = oneColourRows ? foreBmp_.Width() >= 1 : foreBmp_.Width() == mask.Width();
    if (foreBmp_.PixelFormat() != TPixelFormat::pf24bit || !wideEnough || foreBmp_.Height() != mask.Height()) {
        throw EInvalidForeBmp();
    }
}

}  // namespace caici
