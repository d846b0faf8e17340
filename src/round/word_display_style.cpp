#include "round/word_display_style.h"

#include "common/product.h"
#include "effecttext/aa_effect.h"
#include "effecttext/colors.h"
#include "effecttext/font.h"

namespace caici {

void setWordDisplayStyle(TFont& font, TCnAAEffect& effect) {
    font.SetName("微软雅黑");
    font.SetCharset(GB2312_CHARSET);
    font.SetHeight(-224);
    font.SetStyle({TFontStyle::fsBold});
    font.SetColor(clBlack);
    effect.Shadow().SetEnabled(true);
    effect.Shadow().SetColor(clBlack);
    effect.Shadow().SetOffsetX(5);
    effect.Shadow().SetOffsetY(5);
    effect.Gradual().SetEnabled(true);
    effect.Gradual().SetStyle(TGradualStyle::gsCenterToTB);
    effect.Gradual().SetStartColor(clYellow);
    effect.Gradual().SetEndColor(2204408);
    effect.Texture().SetMode(TTextureMode::tmCenter);
}

std::string wordDisplayLine(const std::string& text) {
    return "<" + std::string(wordStyleName) + "><Center>" + text;
}

std::string idleLine() {
    return wordDisplayLine(std::string(makerBrand) + "出品");
}

}  // namespace caici
