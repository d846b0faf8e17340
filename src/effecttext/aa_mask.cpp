#include "effecttext/aa_mask.h"

#include <QFontMetrics>
#include <QImage>
#include <algorithm>
#include <cmath>
#include <numbers>
#include <utility>

#include "effecttext/font.h"
#include "effecttext/effect_errors.h"
#include "effecttext/glyph_outlines.h"
#include "effecttext/mask_geometry.h"
#include "effecttext/render_limits.h"

namespace caici {

TCnAAMask::TCnAAMask() { SetQuality(TAAQuality::aqNormal); }

void TCnAAMask::SetQuality(TAAQuality value) {
    quality_ = value;
    scale_ = qualityScale(value);
}

void TCnAAMask::CopyFrom(const TPersistent* source) {
    const auto* other = dynamic_cast<const TCnAAMask*>(source);
    if (other == nullptr) {
        TPersistent::CopyFrom(source);
        return;
    }
    width_ = other->width_;
    height_ = other->height_;
    SetQuality(other->quality_);
    rasterRowLength_ = other->rasterRowLength_;
    stride_ = other->stride_;
    box_ = other->box_;
    partOrigin_ = other->partOrigin_;
    buffer_ = other->buffer_;
}

void TCnAAMask::SwapPixels(TCnAAMask& other) noexcept {
    std::swap(width_, other.width_);
    std::swap(height_, other.height_);
    std::swap(rasterRowLength_, other.rasterRowLength_);
    std::swap(stride_, other.stride_);
    std::swap(box_, other.box_);
    std::swap(partOrigin_, other.partOrigin_);
    buffer_.swap(other.buffer_);
}

std::uint8_t* TCnAAMask::ScanLine(int y) {
    if (y < 0 || y >= height_) throw EInvalidLine();
    return buffer_.data() + rowOffset(y);
}

const std::uint8_t* TCnAAMask::ScanLine(int y) const {
    if (y < 0 || y >= height_) throw EInvalidLine();
    return buffer_.data() + rowOffset(y);
}

void TCnAAMask::SetSize(int width, int height) {
    width_ = std::max(width, 0);
    height_ = std::max(height, 0);
    stride_ = (width_ + 3) & ~3;
    box_ = QSize(width_, height_);
    partOrigin_ = QPoint(0, 0);
    buffer_.assign(static_cast<std::size_t>(stride_) * static_cast<std::size_t>(height_), 0);
}

TLogFont TCnAAMask::scaledFont(const TFont& surfaceFont) const {
    TLogFont font = surfaceFont.LogFont();
    font.Height = std::clamp(font.Height, -kMaxCharacterHeight, kMaxCharacterHeight) * scale_;
    font.Width = std::clamp(font.Width, 0, kMaxCharacterHeight) * scale_;
    // Samples must be 0 or 255: the smoothing comes from the block average.
    font.Quality = TFontQuality::fqNonAntialiased;
    return font;
}

TCnAAMask::Measure TCnAAMask::MeasureText(const TLogFont& font, std::string_view text) const {
    Measure measure;
    const double radians = font.Escapement * std::numbers::pi / 1800.0;
    text = drawableText(text);
    const QFontMetrics metrics(toQFont(font));
    const int extentX = metrics.horizontalAdvance(QString::fromUtf8(text.data(), static_cast<qsizetype>(text.size())));
    const int extentY = metrics.ascent() + metrics.descent();
    int width = (extentX + scale_ - 1) / scale_;
    const int height = (extentY + scale_ - 1) / scale_;
    if (font.Italic && !text.empty()) width += italicWidening(width, text);
    measure.size = QSize(width, height);
    if (radians != 0.0) {
        const RotatedBox box = rotatedBox(width, height, radians);
        measure.size = box.size;
        measure.offset = box.offset;
    }
    return measure;
}

QSize TCnAAMask::TextSize(const TFont& font, std::string_view text) const {
    return MeasureText(scaledFont(font), text).size;
}

TCnAAMask::TextInk TCnAAMask::MeasureInk(const TFont& surfaceFont, std::string_view text) const {
    const TLogFont font = scaledFont(surfaceFont);
    const Measure measure = MeasureText(font, text);
    text = drawableText(text);
    const QRectF raster =
        hardEdgedInk(toQFont(font), QString::fromUtf8(text.data(), static_cast<qsizetype>(text.size())),
                     font.Escapement / 10.0)
            .translated(QPointF(measure.offset) * scale_);
    if (raster.isEmpty()) return {measure.size, {}};
    // A mask pixel takes coverage from any sample of its block (every
    // downsampling rule keeps a single sample above 0), so the ink's edges
    // round outward; the mask holds nothing beyond its box.
    const auto down = [this](double sample) { return static_cast<int>(std::floor(sample / scale_)); };
    const auto up = [this](double sample) { return static_cast<int>(std::ceil(sample / scale_)); };
    const QRect ink(QPoint(down(raster.left()), down(raster.top())),
                    QPoint(up(raster.right()) - 1, up(raster.bottom()) - 1));
    return {measure.size, ink.intersected(QRect(QPoint(0, 0), measure.size))};
}

void TCnAAMask::DrawMask(const TFont& surfaceFont, std::string_view text) {
    const TLogFont font = scaledFont(surfaceFont);
    const Measure measure = MeasureText(font, text);
    Render(font, text, measure, QRect(QPoint(0, 0), measure.size));
}

void TCnAAMask::DrawMaskPart(const TFont& surfaceFont, std::string_view text, const QRect& part) {
    const TLogFont font = scaledFont(surfaceFont);
    Render(font, text, MeasureText(font, text), part);
}

void TCnAAMask::Render(const TLogFont& font, std::string_view text, const Measure& measure, const QRect& part) {
    const QRect drawn = part.intersected(QRect(QPoint(0, 0), measure.size));
    if (drawn.width() > kMaxMaskSide || drawn.height() > kMaxMaskSide ||
        std::int64_t{drawn.width()} * drawn.height() > kMaxMaskPixels) {
        throw ETextTooLarge(drawn.size());
    }
    box_ = measure.size;
    partOrigin_ = drawn.isEmpty() ? QPoint(0, 0) : drawn.topLeft();
    width_ = std::max(drawn.width(), 0);
    height_ = std::max(drawn.height(), 0);
    const int rasterWidth = width_ * scale_;
    rasterRowLength_ = (rasterWidth + 3) & ~3;
    stride_ = (width_ + 3) & ~3;
    buffer_.resize(static_cast<std::size_t>(stride_) * static_cast<std::size_t>(height_));
    if (width_ == 0 || height_ == 0) return;

    text = drawableText(text);
    const HardEdgedText glyphs(toQFont(font), QString::fromUtf8(text.data(), static_cast<qsizetype>(text.size())),
                               font.Escapement / 10.0);
    // The supersampled raster is drawn one band of rows at a time, so that
    // its memory stays bounded whatever the quality and the band stays in
    // the cache. The band's buffer is kept for the next text, which needs
    // about as much.
    const std::int64_t bandSamples = kRasterBandSamples / rasterRowLength_;
    const int bandMaskRows = static_cast<int>(std::clamp<std::int64_t>(bandSamples / scale_, 1, height_));
    std::vector<std::uint8_t>& samples = bandSamples_;
    samples.resize(static_cast<std::size_t>(rasterRowLength_) * static_cast<std::size_t>(bandMaskRows * scale_));
    // The text's own top-left inside the box (a turned text is centred in it),
    // in raster pixels of the part.
    const QPointF textOrigin((measure.offset.x() - partOrigin_.x()) * scale_,
                             (measure.offset.y() - partOrigin_.y()) * scale_);
    for (int top = 0; top < height_; top += bandMaskRows) {
        const int rows = std::min(bandMaskRows, height_ - top);
        std::fill(samples.begin(), samples.end(), std::uint8_t{0});
        QImage raster(samples.data(), rasterWidth, rows * scale_, rasterRowLength_, QImage::Format_Grayscale8);
        glyphs.draw(raster, textOrigin - QPointF(0, top * scale_));
        downsample(quality_, samples.data(), rasterRowLength_, width_, rows,
                   [this, top](int y) { return buffer_.data() + rowOffset(top + y); });
    }
}

}  // namespace caici
