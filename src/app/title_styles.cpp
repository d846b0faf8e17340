#include "app/title_styles.h"

#include "common/product.h"
#include "effecttext/colors.h"
#include "fadetext/font_labels.h"
#include "fadetext/user_labels.h"

namespace caici {

namespace {

struct StyleRow {
    const char* name;
    const char* face;
    int characterHeight;  // pixels
    TColor color;
    bool bold;
    bool shadow;
    int offset;
};

// The default set after Title1, at the character heights the title uses.
constexpr StyleRow defaultStyles[] = {
    {"Title2", "黑体", 12, 16711680, true, true, 1},
    {"Title3", "楷体_GB2312", 15, 16711680, false, true, 2},
    {"Text1", "楷体_GB2312", 12, 0, false, false, 1},
    {"Text2", "楷体_GB2312", 11, 8421376, false, true, 1},
    {"Title4", "隶书", 29, 0, false, true, 2},
    {"Text3", "隶书", 15, 16711680, false, true, 1},
};

TCnFontLabel& addStyle(TCnFontLabels& fonts, const StyleRow& row) {
    const TFontStyles style = row.bold ? TFontStyles{TFontStyle::fsBold} : TFontStyles{};
    // The size argument is in points; the height set right after is what counts.
    TCnFontLabel* label = fonts.AddFontLabel(row.name, row.face, 9, row.color, style, row.shadow, row.offset, row.offset);
    label->Font().SetHeight(-row.characterHeight);
    return *label;
}

}  // namespace

void addTitleStyles(TCnFontLabels& fonts) {
    fonts.BeginUpdate();
    TCnFontLabel& title1 = addStyle(fonts, {"Title1", "微软雅黑", 32, clBlack, true, true, 2});
    title1.Font().SetCharset(GB2312_CHARSET);
    title1.Effect().Shadow().SetColor(clBlack);
    TCnAAGradual& gradual = title1.Effect().Gradual();
    gradual.SetEnabled(true);
    gradual.SetStyle(TGradualStyle::gsCenterToTB);
    gradual.SetStartColor(clYellow);
    gradual.SetEndColor(clRed);
    title1.Effect().Texture().SetMode(TTextureMode::tmNormal);

    for (const StyleRow& row : defaultStyles) addStyle(fonts, row);
    TCnAAEffect& title4 = fonts.Items(fonts.IndexOf("Title4")).Effect();
    title4.Gradual().SetEnabled(true);
    title4.Gradual().SetStyle(TGradualStyle::gsLeftToRight);
    title4.Gradual().SetStartColor(16720384);
    title4.Gradual().SetEndColor(2232575);
    title4.SetOutline(true);
    title4.SetBlur(50);
    TCnAAEffect& text3 = fonts.Items(fonts.IndexOf("Text3")).Effect();
    text3.Gradual().SetEnabled(true);
    text3.Gradual().SetStyle(TGradualStyle::gsTopToBottom);
    text3.Gradual().SetStartColor(13404177);
    text3.Gradual().SetEndColor(16720554);
    fonts.EndUpdate();
}

void addStandardLabels(TCnUserLabels& labels) {
    struct LabelRow {
        const char* name;
        TLabelStyle style;
    };
    constexpr LabelRow rows[] = {
        {"Left", TLabelStyle::lsLeftJustify},    {"Center", TLabelStyle::lsCenter},
        {"Right", TLabelStyle::lsRightJustify},  {"Owner", TLabelStyle::lsRegOwner},
        {"Organization", TLabelStyle::lsRegOrganization}, {"AppTitle", TLabelStyle::lsAppTitle},
        {"Date", TLabelStyle::lsDate},           {"Time", TLabelStyle::lsTime},
    };
    for (const LabelRow& row : rows) labels.AddUserLabel(row.name, "", row.style);
}

std::vector<std::string> titleLines() {
    return {std::string("<Title1><Center>") + productTitle, "<Title1><Center>你比划我来猜"};
}

}  // namespace caici
