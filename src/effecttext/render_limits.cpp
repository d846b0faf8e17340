#include "effecttext/render_limits.h"

#include <QString>

#include "effecttext/effect_errors.h"

namespace caici {

std::string_view drawableText(std::string_view text) {
    int characters = 0;
    for (std::size_t at = 0; at < text.size(); ++at) {
        const auto byte = static_cast<unsigned char>(text[at]);
        if ((byte & 0xC0) == 0x80) continue;
        if (characters == kMaxTextCharacters) return text.substr(0, at);
        ++characters;
    }
    return text;
}

ETextTooLarge::ETextTooLarge(QSize part)
    : Error(QStringLiteral("文字的绘制区域太大：%1 × %2 像素（每边最多 %3 像素，共最多 %4 像素）。")
                .arg(part.width())
                .arg(part.height())
                .arg(kMaxMaskSide)
                .arg(kMaxMaskPixels)
                .toStdString()) {}

}  // namespace caici
