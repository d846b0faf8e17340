#include "effecttext/render_limits.h"

#include <QString>

#include "common/utf8_count.h"
#include "effecttext/effect_errors.h"

namespace caici {

std::string_view drawableText(std::string_view text) {
    return codePointPrefix(text, kMaxTextCharacters);
}

ETextTooLarge::ETextTooLarge(QSize part)
    : Error(QStringLiteral("文字的绘制区域太大：%1 × %2 像素（每边最多 %3 像素，共最多 %4 像素）。")
                .arg(part.width())
                .arg(part.height())
                .arg(kMaxMaskSide)
                .arg(kMaxMaskPixels)
                .toStdString()) {}

}  // namespace caici
