#include "effecttext/aa_mask.h"

#include "effecttext/aa_font.h"
#include "effecttext/effect_errors.h"

namespace caici {

int qualityScale(TAAQuality quality) {
    switch (quality) {
        case TAAQuality::aqHigh:
            return 4;
        case TAAQuality::aqNormal:
            return 3;
        case TAAQuality::aqLow:
            return 2;
        case TAAQuality::aqNone:
            return 1;
    }
    return 1;
}

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

}  // namespace caici
