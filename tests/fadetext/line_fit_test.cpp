#include <gtest/gtest.h>

#include "fade_text_fixture.h"
#include "fadetext/line_fit.h"

namespace caici {
namespace {

using testing::FadeStage;

// A control of the given size showing one line, fitted to its client area.
struct FittedStage : FadeStage {
    FittedStage(const std::string& line, QSize size, const char* face) : FadeStage({line}, size) {
        text->Fonts().Items(0).Font().SetName(face);
        text->SetFitToClient(true);
        text->SetActive(true);
        finishFade();
    }
};

// A line, however long, is drawn whole inside the client area less its
// margin: nothing in the margin columns and rows, and the ink as wide as
// the line measures at the fitted size (nothing cut off).
TEST(LineFit, ALongLineFitsTheClientWidth) {
    struct Case {
        const char* face;
        const char* line;
    };
    const Case cases[] = {
        {testing::kTestFace, "<Title1><Center>哈利·波特与魔法石"},
        {testing::kTestFace, "<Title1><Center>中华人民共和国国家标准汉字信息交换用编码字符集"},
        {"DejaVu Sans", "<Title1><Center>Harry Potter and the Philosopher's Stone"},
    };
    const QSize size(400, 150);
    const int margin = fitMargin(size);
    for (const Case& c : cases) {
        FittedStage stage(c.line, size, c.face);
        const QRect ink = testing::inkBox(stage.frame());
        ASSERT_FALSE(ink.isEmpty()) << c.line;
        EXPECT_GE(ink.left(), margin) << c.line;
        EXPECT_LT(ink.right(), size.width() - margin) << c.line;
        EXPECT_GE(ink.top(), margin) << c.line;
        EXPECT_LT(ink.bottom(), size.height() - margin) << c.line;
        // The whole line: its ink spans nearly its measured box.
        TBitmap probe(10, 10);
        probe.Canvas().Font().SetName(c.face);
        probe.Canvas().Font().SetHeight(-stage.text->DisplayedCharacterHeight());
        probe.Canvas().Font().SetStyle({TFontStyle::fsBold});
        TCnAAFontEx renderer(&probe.Canvas());
        renderer.SetQuality(stage.text->Text().Quality());
        const QSize box = renderer.TextExtent(stage.text->DisplayedText());
        EXPECT_LE(box.width() + 2, size.width() - 2 * margin) << c.line;
        EXPECT_GT(ink.width(), box.width() * 9 / 10) << c.line;
    }
}

// A short line grows until its box fills the height less the margins, but
// its characters stay at most 60 % of the client height.
TEST(LineFit, AShortLineFillsTheHeightUpToTheCap) {
    const QSize size(800, 200);
    for (const char* face : {testing::kTestFace, "DejaVu Sans"}) {
        FittedStage stage("<Title1><Center>苹果", size, face);
        EXPECT_EQ(stage.text->DisplayedCharacterHeight(), fitCap(size)) << face;
        EXPECT_EQ(stage.text->DisplayedFontSize(), fitCap(size) * 3 / 4) << face;
        const QRect ink = testing::inkBox(stage.frame());
        EXPECT_GT(ink.height(), size.height() / 2) << face;
        EXPECT_GE(ink.top(), fitMargin(size)) << face;
    }
    // One character: the cap, not the width, decides.
    FittedStage single("<Title1><Center>一", QSize(1184, 417), testing::kTestFace);
    EXPECT_EQ(single.text->DisplayedCharacterHeight(), fitCap(QSize(1184, 417)));
}

// A resize fits the line again; the owner's scale multiplies the fitted size.
TEST(LineFit, ResizeAndScaleFitAgain) {
    FittedStage stage("<Title1><Center>哈利·波特与魔法石", QSize(400, 150), testing::kTestFace);
    const int narrow = stage.text->DisplayedCharacterHeight();
    stage.text->resize(800, 150);
    const int wide = stage.text->DisplayedCharacterHeight();
    EXPECT_NEAR(wide, 2 * narrow + 5, 8);
    const QRect ink = testing::inkBox(stage.frame());
    EXPECT_LT(ink.right(), 800 - fitMargin(QSize(800, 150)));
    stage.text->SetFitScale(0.5);
    EXPECT_NEAR(stage.text->DisplayedCharacterHeight(), wide / 2, 1);
    EXPECT_EQ(stage.text->FitScale(), 0.5);
    stage.text->SetFitScale(100.0);
    EXPECT_EQ(stage.text->FitScale(), 10.0);
}

// Off by default: the style's own size, as the start window's title expects.
TEST(LineFit, OffByDefaultKeepsTheStyleSize) {
    FadeStage stage({"<Title1><Center>苹果"});
    EXPECT_FALSE(stage.text->FitToClient());
    stage.text->SetActive(true);
    EXPECT_EQ(stage.text->DisplayedFontSize(), 28);
    EXPECT_EQ(stage.text->DisplayedCharacterHeight(), -stage.text->Fonts().Items(0).Font().Height());
}

}  // namespace
}  // namespace caici
