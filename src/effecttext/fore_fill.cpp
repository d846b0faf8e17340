// The body colours of a text: gradient, noise and texture fills of the
// foreground raster, always sized to the mask first.

#include <QPainter>
#include <algorithm>
#include <cstring>
#include <vector>

#include "common/random_source.h"
#include "effecttext/aa_font.h"

namespace caici {
namespace {

std::uint8_t clampByte(int value) { return static_cast<std::uint8_t>(std::clamp(value, 0, 255)); }

bool isCentred(TGradualStyle style) {
    return style == TGradualStyle::gsCenterToLR || style == TGradualStyle::gsCenterToTB;
}

// Entries i = 0 .. n - 1 run from + (to - from) * i / n, division truncating
// towards zero, so the to colour itself is never reached. Centre styles
// mirror the first half onto the second. Only the entries first .. first +
// count - 1 of a ramp of length entries are made: a mask may hold a part of
// a box far larger than the surface. Entries are blue, green, red.
std::vector<std::uint8_t> gradientRamp(const TCnAAGradual& gradual, int length, int first, int count) {
    const TGradualStyle style = gradual.Style();
    const bool startFirst = style == TGradualStyle::gsLeftToRight || style == TGradualStyle::gsTopToBottom;
    const Rgb from = toRgb(startFirst ? gradual.StartColor() : gradual.EndColor());
    const Rgb to = toRgb(startFirst ? gradual.EndColor() : gradual.StartColor());
    const bool centred = isCentred(style);
    const std::int64_t steps = centred ? (std::int64_t{length} + 1) / 2 : length;
    const auto channel = [steps](int a, int b, std::int64_t i) {
        return static_cast<std::uint8_t>(a + (b - a) * i / steps);
    };
    std::vector<std::uint8_t> ramp(static_cast<std::size_t>(count) * 3);
    for (int k = 0; k < count; ++k) {
        const std::int64_t position = std::int64_t{first} + k;
        const std::int64_t i = centred && position >= steps ? length - 1 - position : position;
        std::uint8_t* entry = ramp.data() + 3 * static_cast<std::size_t>(k);
        entry[0] = channel(from.b, to.b, i);
        entry[1] = channel(from.g, to.g, i);
        entry[2] = channel(from.r, to.r, i);
    }
    return ramp;
}

// The texture's copies that meet the part at origin of the foreground raster.
void drawTiled(TCanvas& canvas, const QImage& graphic, QPoint origin) {
    const int gw = graphic.width();
    const int gh = graphic.height();
    if (gw <= 0 || gh <= 0) return;
    QPainter painter(&canvas.Image());
    for (int i = origin.y() / gh; i <= (origin.y() + canvas.Height() - 1) / gh; ++i) {
        for (int j = origin.x() / gw; j <= (origin.x() + canvas.Width() - 1) / gw; ++j) {
            painter.drawImage(QPoint(gw * j - origin.x(), gh * i - origin.y()), graphic);
        }
    }
}

void drawStretched(TCanvas& canvas, const TPicture& picture, const QRect& box) {
    if (!picture.IsIcon()) {
        canvas.StretchDraw(box, picture.Graphic());
        return;
    }
    // An icon goes onto a fresh raster of the default font colour first, and
    // that raster is stretched.
    QImage backed(picture.Graphic().size(), QImage::Format_RGB32);
    const Rgb windowText = toRgb(clWindowText);
    backed.fill(QColor(windowText.r, windowText.g, windowText.b));
    {
        QPainter painter(&backed);
        painter.drawImage(QPoint(0, 0), picture.Graphic());
    }
    canvas.StretchDraw(box, backed);
}

}  // namespace

void TCnAAFontEx::FillGradient() { fillGradient(Mask().Width()); }

void TCnAAFontEx::fillGradient(int width) {
    if (Canvas() == nullptr || !effect_->Gradual().Enabled()) return;
    TBitmap& fore = Blend().ForeBmp();
    fore.SetPixelFormat(TPixelFormat::pf24bit);
    fore.Reallocate(width, Mask().Height());
    if (fore.Empty()) return;
    const TGradualStyle style = effect_->Gradual().Style();
    const bool horizontal = isHorizontal(style);
    const QSize box = Mask().BoxSize();
    const QPoint origin = Mask().PartOrigin();
    const std::vector<std::uint8_t> ramp =
        horizontal ? gradientRamp(effect_->Gradual(), box.width(), origin.x(), fore.Width())
                   : gradientRamp(effect_->Gradual(), box.height(), origin.y(), fore.Height());
    for (int y = 0; y < fore.Height(); ++y) {
        std::uint8_t* row = fore.ScanLine(y);
        if (horizontal) {
            std::memcpy(row, ramp.data(), ramp.size());
            continue;
        }
        // One colour per row: each copy doubles the filled part.
        const auto rowBytes = static_cast<std::size_t>(3 * fore.Width());
        std::memcpy(row, ramp.data() + 3 * y, 3);
        for (std::size_t filled = 3; filled < rowBytes; filled *= 2) {
            std::memcpy(row + filled, row, std::min(filled, rowBytes - filled));
        }
    }
}

void TCnAAFontEx::FillNoise() {
    if (Canvas() == nullptr) return;
    TBitmap& fore = Blend().ForeBmp();
    fore.SetPixelFormat(TPixelFormat::pf24bit);
    fore.Reallocate(Mask().Width(), Mask().Height());
    const Rgb colour = toRgb(Canvas()->Font().Color());
    const int amount = effect_->Noise();
    const int half = amount >> 1;
    RandomSource& random = processRandom();
    const auto noisy = [&](int base) {
        return clampByte(static_cast<int>(random.random(static_cast<std::uint32_t>(amount))) + base - half);
    };
    for (int y = 0; y < fore.Height(); ++y) {
        std::uint8_t* pixel = fore.ScanLine(y);
        for (int x = 0; x < fore.Width(); ++x, pixel += 3) {
            // Drawn red, green, blue: the order of the shared generator's draws matters.
            pixel[2] = noisy(colour.r);
            pixel[1] = noisy(colour.g);
            pixel[0] = noisy(colour.b);
        }
    }
}

void TCnAAFontEx::AddNoise(int amount) {
    TBitmap& fore = Blend().ForeBmp();
    RandomSource& random = processRandom();
    const int half = amount >> 1;
    const int bytes = fore.Width() * 3;
    for (int y = 0; y < fore.Height(); ++y) {
        std::uint8_t* row = fore.ScanLine(y);
        for (int i = 0; i < bytes; ++i) {
            row[i] = clampByte(row[i] + static_cast<int>(random.random(static_cast<std::uint32_t>(amount))) - half);
        }
    }
}

void TCnAAFontEx::FillTexture() {
    const TCnAATexture& texture = effect_->Texture();
    if (Canvas() == nullptr || !texture.Enabled() || texture.Picture().Graphic().isNull()) return;
    TBitmap& fore = Blend().ForeBmp();
    fore.SetPixelFormat(TPixelFormat::pf24bit);
    fore.Reallocate(Mask().Width(), Mask().Height());
    if (fore.Empty()) return;
    TCanvas& surface = fore.Canvas();
    surface.Brush() = TBrush{Canvas()->Font().Color(), TBrushStyle::bsSolid};
    surface.FillRect(QRect(0, 0, fore.Width(), fore.Height()));
    const QImage& graphic = texture.Picture().Graphic();
    // Placed in the text's whole box; the raster holds the mask's part of it.
    const QSize box = Mask().BoxSize();
    const QPoint origin = Mask().PartOrigin();
    switch (texture.Mode()) {
        case TTextureMode::tmTiled:
            drawTiled(surface, graphic, origin);
            break;
        case TTextureMode::tmStretched:
            drawStretched(surface, texture.Picture(), QRect(-origin, box));
            break;
        case TTextureMode::tmCenter:
            surface.Draw((box.width() - graphic.width()) / 2 - origin.x(),
                         (box.height() - graphic.height()) / 2 - origin.y(), graphic);
            break;
        case TTextureMode::tmNormal:
            surface.Draw(-origin.x(), -origin.y(), graphic);
            break;
    }
}

}  // namespace caici
