#include "effecttext/aa_blend.h"

#include <algorithm>
#include <array>

#include "effecttext/aa_font.h"
#include "effecttext/aa_mask.h"
#include "effecttext/blend_rows.h"
#include "effecttext/effect_errors.h"

namespace caici {
namespace {

// Where the colour of a mask pixel comes from: one constant colour (step 0)
// or the foreground raster's row (step 3, blue-green-red).
struct ColourRows {
    const TBitmap* fore = nullptr;
    std::array<std::uint8_t, 3> constant{};
    const std::uint8_t* row(int y) const { return fore ? fore->ScanLine(y) : constant.data(); }
};

// The blend is done in place on the surface's rows, clipped to the surface.
// A pixel outside the surface would be composited in the work rectangle and
// then cut off by the copy back, so skipping it changes nothing.
template <int Bpp, bool Solid, int ForeStep>
void compositeRows(QImage& surface, int left, int top, const TCnAAMask& mask, int a256, Rgb brush,
                   const ColourRows& colours) {
    const int x0 = std::max(left, 0);
    const int y0 = std::max(top, 0);
    const int x1 = std::min(left + mask.Width(), surface.width());
    const int y1 = std::min(top + mask.Height(), surface.height());
    BlendRowScratch scratch;
    for (int sy = y0; sy < y1; ++sy) {
        const int my = sy - top;
        const std::uint8_t* coverage = mask.ScanLine(my) + (x0 - left);
        const std::uint8_t* colour = colours.row(my) + ForeStep * (x0 - left);
        std::uint8_t* pixel = surface.scanLine(sy) + Bpp * x0;
        if constexpr (Bpp == 4 && !Solid) {
            blendRowTowards(pixel, coverage, colour, ForeStep, x1 - x0, a256, scratch);
            continue;
        }
        for (int sx = x0; sx < x1; ++sx, ++coverage, colour += ForeStep, pixel += Bpp) {
            const int k = (*coverage * a256) >> 8;
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
}

template <int Bpp>
void compositeWithBrush(QImage& surface, int x, int y, const TCnAAMask& mask, int a256, const TBrush& brush,
                        const ColourRows& colours) {
    const bool solid = brush.Style == TBrushStyle::bsSolid;
    const Rgb brushRgb = toRgb(brush.Color);
    if (colours.fore != nullptr) {
        if (solid) compositeRows<Bpp, true, 3>(surface, x, y, mask, a256, brushRgb, colours);
        else compositeRows<Bpp, false, 3>(surface, x, y, mask, a256, brushRgb, colours);
    } else {
        if (solid) compositeRows<Bpp, true, 0>(surface, x, y, mask, a256, brushRgb, colours);
        else compositeRows<Bpp, false, 0>(surface, x, y, mask, a256, brushRgb, colours);
    }
}

void composite(TCanvas& canvas, int boxX, int boxY, const TCnAAMask& mask, int alpha, const ColourRows& colours) {
    if (mask.Width() <= 0 || mask.Height() <= 0) return;
    QImage& surface = canvas.Image();
    if (surface.isNull()) return;
    // A mask that holds a part of its text's box lands where that part lies.
    const int x = boxX + mask.PartOrigin().x();
    const int y = boxY + mask.PartOrigin().y();
    // a256 = alpha * 256 / 100: 100 -> 256, 70 -> 179, 50 -> 128. An alpha
    // outside 0..100 (settings are loaded unchecked) would push k past 255
    // and wrap the channels; it counts as the nearest end of the range.
    const int a256 = std::clamp(alpha, 0, 100) * 256 / 100;
    switch (surface.format()) {
        case QImage::Format_BGR888:
            compositeWithBrush<3>(surface, x, y, mask, a256, canvas.Brush(), colours);
            return;
        case QImage::Format_RGB32:
        case QImage::Format_ARGB32:
        case QImage::Format_ARGB32_Premultiplied:
            break;
        default:
            surface.convertTo(QImage::Format_RGB32);
            break;
    }
    compositeWithBrush<4>(surface, x, y, mask, a256, canvas.Brush(), colours);
}

}  // namespace

TCnAABlend::TCnAABlend(TCnAAFont* owner) : owner_(owner), foreBmp_(0, 0, TPixelFormat::pf24bit) {}

TCnAABlend::~TCnAABlend() = default;

void TCnAABlend::CopyFrom(const TPersistent* source) {
    const auto* other = dynamic_cast<const TCnAABlend*>(source);
    if (other == nullptr) {
        TPersistent::CopyFrom(source);
        return;
    }
    foreBmp_.Assign(other->foreBmp_);
}

void TCnAABlend::Blend(int x, int y, const TCnAAMask& mask, int alpha, TColor color) {
    if (owner_ == nullptr || owner_->Canvas() == nullptr) return;
    const Rgb rgb = toRgb(color);
    ColourRows colours;
    colours.constant = {rgb.b, rgb.g, rgb.r};
    composite(*owner_->Canvas(), x, y, mask, alpha, colours);
}

void TCnAABlend::BlendEx(int x, int y, const TCnAAMask& mask, int alpha) {
    if (owner_ == nullptr || owner_->Canvas() == nullptr) return;
    if (foreBmp_.PixelFormat() != TPixelFormat::pf24bit || foreBmp_.Width() != mask.Width() ||
        foreBmp_.Height() != mask.Height()) {
        throw EInvalidForeBmp();
    }
    ColourRows colours;
    colours.fore = &foreBmp_;
    composite(*owner_->Canvas(), x, y, mask, alpha, colours);
}

}  // namespace caici
