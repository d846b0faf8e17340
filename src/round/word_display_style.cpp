#include "round/word_display_style.h"

#include "common/product.h"
#include "effecttext/aa_effect.h"
#include "effecttext/colors.h"
#include "effecttext/font.h"
#include "texts/user_texts.h"

namespace caici {
namespace {

// The display finds a tag as "<" + name + ">" anywhere in a line. A word
// joiner after every "<" of the text keeps any tag from matching; the
// renderer's shaping draws it as nothing, so the text reads as typed.
std::string literal(const std::string& text) {
    std::string shown;
    shown.reserve(text.size());
    for (const char c : text) {
        shown += c;
        if (c == '<') shown += "\u2060";
    }
    return shown;
}

}  // namespace

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

void setForbiddenDisplayStyle(TFont& font, TCnAAEffect& effect) {
    setWordDisplayStyle(font, effect);
    font.SetHeight(-96);
    effect.Shadow().SetOffsetX(3);
    effect.Shadow().SetOffsetY(3);
}

std::string wordDisplayLine(const std::string& text) {
    return "<" + std::string(wordStyleName) + "><Center>" + literal(text);
}

std::string forbiddenDisplayLine(const std::vector<std::string>& forbidden) {
    if (forbidden.empty()) return {};
    return "<" + std::string(forbiddenStyleName) + "><Center>" + literal(forbiddenWordsText(forbidden));
}

std::string idleLine() {
    return wordDisplayLine(std::string(makerBrand) + "出品");
}

}  // namespace caici
