#include "fadetext/cross_fade.h"

#include <algorithm>
#include <cstring>
#include <vector>

#include "effecttext/bitmap.h"
#include "effecttext/vector_loops.h"

namespace caici {
namespace {

CAICI_LOOP_BODY void crossFadeLoop(std::uint8_t* __restrict destination, const std::uint8_t* __restrict oldRow,
                                   const std::uint8_t* __restrict newRow, std::size_t count, std::uint8_t alpha) {
    const auto keep = static_cast<std::uint16_t>(256 - alpha);
    const auto take = static_cast<std::uint16_t>(alpha);
    // In blocks of a cache line, each asking for the lines 512 bytes ahead:
    // left to the processor, the loads of a 4K frame's rows stall on memory.
    constexpr std::size_t kBlock = 64;
    constexpr std::size_t kAhead = 512;
    for (std::size_t start = 0; start < count; start += kBlock) {
        __builtin_prefetch(oldRow + start + kAhead);
        __builtin_prefetch(newRow + start + kAhead);
        __builtin_prefetch(destination + start + kAhead, 1);
        const std::size_t end = std::min(count, start + kBlock);
        for (std::size_t i = start; i < end; ++i) {
            const auto mixed = static_cast<std::uint16_t>(oldRow[i] * keep + newRow[i] * take);
            destination[i] = static_cast<std::uint8_t>(mixed >> 8);
        }
    }
}

CAICI_AVX2_LOOPS void crossFadeAvx2(std::uint8_t* destination, const std::uint8_t* oldRow, const std::uint8_t* newRow,
                                    std::size_t count, std::uint8_t alpha) {
    crossFadeLoop(destination, oldRow, newRow, count, alpha);
}

void crossFadeBaseline(std::uint8_t* destination, const std::uint8_t* oldRow, const std::uint8_t* newRow,
                       std::size_t count, std::uint8_t alpha) {
    crossFadeLoop(destination, oldRow, newRow, count, alpha);
}

}  // namespace

void crossFadeBytes(std::uint8_t* destination, const std::uint8_t* oldRow, const std::uint8_t* newRow,
                    std::size_t count, std::uint8_t alpha) {
    if (pixelLoopsUseAvx2()) {
        crossFadeAvx2(destination, oldRow, newRow, count, alpha);
    } else {
        crossFadeBaseline(destination, oldRow, newRow, count, alpha);
    }
}

namespace {

// The byte range of area's pixels in each row, area clipped to the image.
struct RowSpan {
    QRect rows;
    std::size_t offset = 0;
    std::size_t bytes = 0;
};

RowSpan rowSpan(const TBitmap& image, const QRect& area) {
    const QRect clipped = area & QRect(0, 0, image.Width(), image.Height());
    if (clipped.isEmpty()) return {};
    const auto bytesPerPixel = static_cast<std::size_t>(image.Image().depth() / 8);
    return {clipped, bytesPerPixel * static_cast<std::size_t>(clipped.left()),
            bytesPerPixel * static_cast<std::size_t>(clipped.width())};
}

}  // namespace

void CrossFade(TBitmap& destination, const TBitmap& oldImage, const TBitmap& newImage, std::uint8_t alpha) {
    const int height = std::min(oldImage.Height(), newImage.Height());
    const int width = std::min(oldImage.Width(), newImage.Width());
    destination.SetPixelFormat(oldImage.PixelFormat());
    // One resize to the final size gives the pixels that the height and
    // then the width would, without a raster of the intermediate size.
    destination.SetSize(width, height);
    if (width <= 0 || height <= 0) {
        return;
    }
    const std::size_t bytesPerPixel = static_cast<std::size_t>(oldImage.Image().depth() / 8);
    const std::size_t rowBytes = bytesPerPixel * static_cast<std::size_t>(width);
    if (alpha == 0 || alpha == 255) {
        const TBitmap& source = alpha == 0 ? oldImage : newImage;
        for (int y = 0; y < height; ++y) {
            std::memcpy(destination.ScanLine(y), source.ScanLine(y), rowBytes);
        }
        return;
    }
    for (int y = 0; y < height; ++y) {
        crossFadeBytes(destination.ScanLine(y), oldImage.ScanLine(y), newImage.ScanLine(y), rowBytes, alpha);
    }
}

void crossFadeAreaTo(TBitmap& destination, const TBitmap& oldImage, const TBitmap& newImage, std::uint8_t alpha,
                     const QRect& area) {
    const RowSpan span = rowSpan(oldImage, area);
    for (int y = span.rows.top(); y <= span.rows.bottom(); ++y) {
        std::uint8_t* out = destination.ScanLine(y - span.rows.top());
        const std::uint8_t* oldRow = oldImage.ScanLine(y) + span.offset;
        const std::uint8_t* newRow = newImage.ScanLine(y) + span.offset;
        if (alpha == 0 || alpha == 255) {
            std::memcpy(out, alpha == 0 ? oldRow : newRow, span.bytes);
        } else {
            crossFadeBytes(out, oldRow, newRow, span.bytes, alpha);
        }
    }
}

void crossFadeInPlace(TBitmap& oldImage, const TBitmap& newImage, std::uint8_t alpha, const QRect& area) {
    if (alpha == 0) return;
    if (alpha == 255) {
        copyArea(oldImage, newImage, area);
        return;
    }
    // The mix reads and writes through pointers that must not alias: each
    // row is mixed aside and copied back.
    const RowSpan span = rowSpan(oldImage, area);
    std::vector<std::uint8_t> mixed(span.bytes);
    for (int y = span.rows.top(); y <= span.rows.bottom(); ++y) {
        std::uint8_t* row = oldImage.ScanLine(y) + span.offset;
        crossFadeBytes(mixed.data(), row, newImage.ScanLine(y) + span.offset, span.bytes, alpha);
        std::memcpy(row, mixed.data(), span.bytes);
    }
}

void copyArea(TBitmap& destination, const TBitmap& source, const QRect& area) {
    const RowSpan span = rowSpan(destination, area);
    for (int y = span.rows.top(); y <= span.rows.bottom(); ++y) {
        std::memcpy(destination.ScanLine(y) + span.offset, source.ScanLine(y) + span.offset, span.bytes);
    }
}

}  // namespace caici
