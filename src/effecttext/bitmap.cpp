#include "effecttext/bitmap.h"

#include <algorithm>
#include <cstring>
#include <utility>

namespace caici {

QImage::Format qImageFormat(TPixelFormat format) {
    switch (format) {
        case TPixelFormat::pf8bit:
            return QImage::Format_Grayscale8;
        case TPixelFormat::pf24bit:
            return QImage::Format_BGR888;
        case TPixelFormat::pf32bit:
            return QImage::Format_RGB32;
    }
    return QImage::Format_BGR888;
}

TBitmap::TBitmap(int width, int height, TPixelFormat format)
    : format_(format), canvas_(std::make_unique<TCanvas>(image_)) {
    SetSize(width, height);
}

TBitmap::~TBitmap() = default;

void TBitmap::Assign(const TBitmap& source) {
    if (&source == this) return;
    image_ = source.image_;
    width_ = source.width_;
    height_ = source.height_;
    format_ = source.format_;
}

void TBitmap::SwapPixels(TBitmap& other) {
    image_.swap(other.image_);
    std::swap(width_, other.width_);
    std::swap(height_, other.height_);
    std::swap(format_, other.format_);
}

void TBitmap::SetPixelFormat(TPixelFormat format) {
    if (format == format_) return;
    format_ = format;
    if (!image_.isNull()) image_ = image_.convertToFormat(qImageFormat(format));
}

void TBitmap::Reallocate(int width, int height) {
    width = std::max(width, 0);
    height = std::max(height, 0);
    // A raster shared with a copy would be copied at the first write.
    if (width == width_ && height == height_ && (image_.isNull() || image_.isDetached())) return;
    image_ = width == 0 || height == 0 ? QImage() : QImage(width, height, qImageFormat(format_));
    width_ = width;
    height_ = height;
}

void TBitmap::SetSize(int width, int height) {
    width = std::max(width, 0);
    height = std::max(height, 0);
    if (width == width_ && height == height_) return;
    if (width == 0 || height == 0) {
        image_ = QImage();
        width_ = width;
        height_ = height;
        return;
    }
    QImage resized(width, height, qImageFormat(format_));
    resized.fill(0);
    if (!image_.isNull()) {
        const int rows = std::min(height, height_);
        const auto bytes = static_cast<std::size_t>(std::min(resized.bytesPerLine(), image_.bytesPerLine()));
        const auto used = static_cast<std::size_t>(std::min(width, width_) * resized.depth() / 8);
        for (int y = 0; y < rows; ++y) std::memcpy(resized.scanLine(y), image_.constScanLine(y), std::min(bytes, used));
    }
    image_ = std::move(resized);
    width_ = width;
    height_ = height;
}

}  // namespace caici
