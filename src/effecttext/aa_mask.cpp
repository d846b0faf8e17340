#include "effecttext/aa_mask.h"

#include <QFontMetrics>
#include <QImage>
#include <algorithm>
#include <numbers>

#include "effecttext/aa_font.h"
#include "effecttext/effect_errors.h"
#include "effecttext/mask_geometry.h"

namespace caici {

TCnAAMask::TCnAAMask(TCnAAFont* owner) : owner_(owner) { SetQuality(TAAQuality::aqNormal); }

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
    buffer_ = other->buffer_;
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
    buffer_.assign(static_cast<std::size_t>(stride_) * static_cast<std::size_t>(height_), 0);
}

TLogFont TCnAAMask::scaledFont() const {
    TLogFont font = owner_->Canvas()->Font().LogFont();
    font.Height *= scale_;
    font.Width *= scale_;
    // Samples must be 0 or 255: the smoothing comes from the block average.
    font.Quality = TFontQuality::fqNonAntialiased;
    return font;
}

TCnAAMask::Measure TCnAAMask::MeasureText(std::string_view text) const {
    Measure measure;
    if (owner_ == nullptr || owner_->Canvas() == nullptr) return measure;
    const TLogFont font = scaledFont();
    const double radians = font.Escapement * std::numbers::pi / 1800.0;
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

QSize TCnAAMask::TextSize(std::string_view text) const { return MeasureText(text).size; }

void TCnAAMask::DrawMask(std::string_view text) { Render(text, TextSize(text), QPoint(0, 0)); }

void TCnAAMask::Render(std::string_view text, QSize size, QPoint origin) {
    if (owner_ == nullptr || owner_->Canvas() == nullptr) return;
    width_ = std::max(size.width(), 0);
    height_ = std::max(size.height(), 0);
    const TLogFont font = scaledFont();

    // The supersampled raster lives only while the text is drawn. Its bytes
    // come zeroed from the allocator, which is cheaper for a raster of
    // millions of samples than clearing an image afterwards.
    const int rasterWidth = width_ * scale_;
    const int rasterHeight = height_ * scale_;
    const int rasterStride = (rasterWidth + 3) & ~3;
    std::vector<std::uint8_t> samples(static_cast<std::size_t>(rasterStride) * static_cast<std::size_t>(rasterHeight));
    if (rasterWidth > 0 && rasterHeight > 0) {
        QImage raster(samples.data(), rasterWidth, rasterHeight, rasterStride, QImage::Format_Grayscale8);
        QPoint at(origin.x() * scale_, origin.y() * scale_);
        if (font.Escapement != 0) at += MeasureText(text).offset * scale_;
        TCanvas canvas(raster);
        canvas.Font().SetLogFont(font);
        canvas.Font().SetColor(clWhite);
        canvas.Brush().Style = TBrushStyle::bsClear;
        canvas.TextOut(at.x(), at.y(), text);
    }

    rasterRowLength_ = rasterStride;
    stride_ = (width_ + 3) & ~3;
    buffer_.resize(static_cast<std::size_t>(stride_) * static_cast<std::size_t>(height_));
    if (samples.empty()) return;
    downsample(quality_, samples.data(), rasterStride, width_, height_,
               [this](int y) { return buffer_.data() + rowOffset(y); });
}

}  // namespace caici
