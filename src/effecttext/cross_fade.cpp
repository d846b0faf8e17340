#include "effecttext/cross_fade.h"

#include <algorithm>
#include <cstring>

#include "effecttext/bitmap.h"

namespace caici {

CrossFadeTable::CrossFadeTable(std::uint8_t alpha) {
    for (int d = -255; d <= 255; ++d) {
        table_[static_cast<std::size_t>(d + 255)] = static_cast<std::int16_t>((alpha * d) >> 8);
    }
}

void crossFadeBytes(std::uint8_t* destination, const std::uint8_t* oldRow, const std::uint8_t* newRow,
                    std::size_t count, const CrossFadeTable& table) {
    for (std::size_t i = 0; i < count; ++i) {
        destination[i] = static_cast<std::uint8_t>(oldRow[i] + table.Step(newRow[i] - oldRow[i]));
    }
}

void CrossFade(TBitmap& destination, const TBitmap& oldImage, const TBitmap& newImage, std::uint8_t alpha) {
    const int height = std::min(oldImage.Height(), newImage.Height());
    const int width = std::min(oldImage.Width(), newImage.Width());
    destination.SetPixelFormat(oldImage.PixelFormat());
    destination.SetHeight(height);
    destination.SetWidth(width);
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
    const CrossFadeTable table(alpha);
    for (int y = 0; y < height; ++y) {
        crossFadeBytes(destination.ScanLine(y), oldImage.ScanLine(y), newImage.ScanLine(y), rowBytes, table);
    }
}

}  // namespace caici
