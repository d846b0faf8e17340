#pragma once
// An off-screen raster with direct row access and its own drawing surface.
// Rows run top-down; 24-bit rows hold blue, green, red per pixel, 32-bit rows
// blue, green, red and an unused byte.

#include <QImage>
#include <cstdint>
#include <memory>

#include "effecttext/canvas.h"

namespace caici {

enum class TPixelFormat : std::uint8_t { pf8bit, pf24bit, pf32bit };

class TBitmap {
public:
    explicit TBitmap(int width = 0, int height = 0, TPixelFormat format = TPixelFormat::pf24bit);
    TBitmap(const TBitmap&) = delete;
    TBitmap& operator=(const TBitmap&) = delete;
    ~TBitmap();

    // Copies the source's pixels, size and format (not the surface state).
    void Assign(const TBitmap& source);
    // Trades pixels, size and format with other; each keeps its own surface
    // state (font, brush).
    void SwapPixels(TBitmap& other);

    TPixelFormat PixelFormat() const { return format_; }
    void SetPixelFormat(TPixelFormat format);
    int Width() const { return width_; }
    int Height() const { return height_; }
    // Keeps the pixels of the overlapping area; new pixels are black.
    void SetSize(int width, int height);
    void SetWidth(int width) { SetSize(width, Height()); }
    void SetHeight(int height) { SetSize(Width(), height); }
    // For a caller that paints every pixel anew: the size changes without
    // clearing or keeping pixels, whose values are then undefined.
    void Reallocate(int width, int height);
    bool Empty() const { return width_ == 0 || height_ == 0; }

    std::uint8_t* ScanLine(int y) { return image_.scanLine(y); }
    const std::uint8_t* ScanLine(int y) const { return image_.constScanLine(y); }

    TCanvas& Canvas() { return *canvas_; }
    const TCanvas& Canvas() const { return *canvas_; }
    const QImage& Image() const { return image_; }

private:
    QImage image_;
    int width_ = 0;
    int height_ = 0;
    TPixelFormat format_;
    std::unique_ptr<TCanvas> canvas_;
};

QImage::Format qImageFormat(TPixelFormat format);

}  // namespace caici
