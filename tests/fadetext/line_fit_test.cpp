#include <gtest/gtest.h>

#include "fade_text_fixture.h"
#include "fadetext/line_fit.h"
#include "fadetext/line_placement.h"

namespace caici {
namespace {

using testing::FadeStage;

// A control of the given size showing one line, fitted to its client area.
struct FittedStage : FadeStage {
    FittedStage(const std::string& line, QSize size, const char* face, int shadow = 2) : FadeStage({line}, size) {
        TCnFontLabel& style = text->Fonts().Items(0);
        style.Font().SetName(face);
        style.Effect().Shadow().SetOffsetX(static_cast<TOffset>(shadow));
        style.Effect().Shadow().SetOffsetY(static_cast<TOffset>(shadow));
        text->SetFitToClient(true);
        text->SetActive(true);
        finishFade();
    }

    // Where the renderer says the line on display draws, in its own box.
    QRect measuredInk() const {
        TBitmap probe(10, 10);
        const TCnFontLabel& style = text->Fonts().Items(0);
        probe.Canvas().Font().Assign(style.Font());
        probe.Canvas().Font().SetHeight(-text->DisplayedCharacterHeight());
        TCnAAFontEx renderer(&probe.Canvas());
        renderer.Effect().CopyFrom(&style.Effect());
        renderer.SetQuality(text->Text().Quality());
        return renderer.InkExtent(text->DisplayedText());
    }
};

// Background rows and columns between the ink and each edge of a frame.
struct Clearance {
    int left, top, right, bottom;
};

Clearance clearance(QSize size, const QRect& ink) {
    return {ink.left(), ink.top(), size.width() - 1 - ink.right(), size.height() - 1 - ink.bottom()};
}

// A line, however long, is drawn whole inside the client area less its
// margin: nothing in the margin columns and rows, and the ink as large as
// the renderer measures the line's ink at the fitted size (nothing cut off).
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
        const Clearance clear = clearance(size, ink);
        EXPECT_GE(clear.left, margin) << c.line;
        EXPECT_GE(clear.right, margin) << c.line;
        EXPECT_GE(clear.top, margin) << c.line;
        EXPECT_GE(clear.bottom, margin) << c.line;
        // Width-bound: the ink spans the room but for the last whole pixel
        // of character height, which counts once per character.
        EXPECT_GE(ink.width(), (size.width() - 2 * margin) * 9 / 10) << c.line;
        const QRect measured = stage.measuredInk();
        EXPECT_NEAR(ink.width(), measured.width(), 2) << c.line;
        EXPECT_NEAR(ink.height(), measured.height(), 2) << c.line;
    }
}

// A word fills its display by what it draws, not by the font's line box: a
// two-character word in a full-HD full-screen display (1904 x 775) stands at
// least half the screen's 1080 rows high, inside the margins, and every line
// is centred by its ink, even when its line box is taller than the display.
TEST(LineFit, AShortWordFillsTheDisplayByItsInk) {
    struct Case {
        const char* line;
        QSize size;
        int shadow;
        int leastHeight;
    };
    const Case cases[] = {
        {"<Title1><Center>成功", {1904, 775}, 5, 540},
        {"<Title1><Center>苹果", {1904, 775}, 5, 540},
        {"<Title1><Center>成功", {1169, 417}, 5, 417 * 3 / 4},
        {"<Title1><Center>大象跳舞", {1169, 417}, 5, 0},
        {"<Title1><Center>Typography", {800, 300}, 2, 0},
        {"<Title1><Center>一", {800, 300}, 2, 0},
    };
    for (const Case& c : cases) {
        FittedStage stage(c.line, c.size, testing::kTestFace, c.shadow);
        const QRect ink = testing::inkBox(stage.frame());
        ASSERT_FALSE(ink.isEmpty()) << c.line;
        const Clearance clear = clearance(c.size, ink);
        const int margin = fitMargin(c.size);
        EXPECT_GE(ink.height(), c.leastHeight) << c.line;
        EXPECT_GE(std::min({clear.left, clear.top, clear.right, clear.bottom}), margin) << c.line;
        EXPECT_NEAR(clear.top, clear.bottom, 3) << c.line;
        EXPECT_NEAR(clear.left, clear.right, 3) << c.line;
    }
}

// Left and right lines put their ink against the margin, top and bottom ones too.
TEST(LineFit, InkFollowsAlignmentAndLayoutWithinTheMargins) {
    struct Case {
        const char* alignment;
        TTextLayout layout;
    };
    const Case cases[] = {{"<Left>", TTextLayout::tlTop}, {"<Right>", TTextLayout::tlBottom}};
    const QSize size(600, 200);
    const int margin = fitMargin(size);
    for (const Case& c : cases) {
        FadeStage stage({std::string("<Title1>") + c.alignment + "苹果"}, size);
        stage.text->Text().SetLayout(c.layout);
        stage.text->SetFitToClient(true);
        stage.text->SetActive(true);
        stage.finishFade();
        const Clearance clear = clearance(size, testing::inkBox(stage.frame()));
        const bool left = std::string(c.alignment) == "<Left>";
        EXPECT_NEAR(left ? clear.left : clear.right, margin, 1) << c.alignment;
        EXPECT_NEAR(c.layout == TTextLayout::tlTop ? clear.top : clear.bottom, margin, 1) << c.alignment;
    }
}

// A short line grows until its ink fills the height less the margins, but
// its characters stay at most the cap; a lone character with little height
// of its own is held by the cap, not swollen to the room.
TEST(LineFit, AShortLineFillsTheHeightUpToTheCap) {
    const QSize size(800, 200);
    for (const char* face : {testing::kTestFace, "DejaVu Sans"}) {
        FittedStage stage("<Title1><Center>苹果", size, face);
        EXPECT_EQ(stage.text->DisplayedCharacterHeight(), fitCap(size)) << face;
        EXPECT_EQ(stage.text->DisplayedFontSize(), fitCap(size) * 3 / 4) << face;
        const QRect ink = testing::inkBox(stage.frame());
        EXPECT_GT(ink.height(), size.height() * 3 / 4) << face;
        EXPECT_GE(ink.top(), fitMargin(size)) << face;
    }
    for (const char* single : {"<Title1><Center>一", "<Title1><Center>成", "<Title1><Center>a"}) {
        FittedStage stage(single, QSize(1184, 417), testing::kTestFace);
        EXPECT_EQ(stage.text->DisplayedCharacterHeight(), fitCap(QSize(1184, 417))) << single;
        EXPECT_LT(testing::inkBox(stage.frame()).height(), 417 - 2 * fitMargin(QSize(1184, 417))) << single;
    }
}

// A resize fits the line again; the owner's scale multiplies the fitted
// size, and grows a line the cap held back only up to its room.
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

    FittedStage single("<Title1><Center>一", QSize(600, 300), testing::kTestFace);
    single.text->SetFitScale(10.0);
    EXPECT_GT(single.text->DisplayedCharacterHeight(), fitCap(QSize(600, 300)));
    const Clearance clear = clearance(QSize(600, 300), testing::inkBox(single.frame()));
    EXPECT_GE(std::min(clear.left, clear.right), fitMargin(QSize(600, 300)));
    EXPECT_LE(std::min(clear.left, clear.right), fitMargin(QSize(600, 300)) + 4);
}

// Off by default: the style's own size, and the line drawn exactly where its
// text extent puts it, as the start window's title expects.
TEST(LineFit, OffByDefaultKeepsTheStyleSizeAndPlace) {
    const QSize size(420, 160);
    FadeStage stage({"<Title1><Center>苹果"}, size);
    EXPECT_FALSE(stage.text->FitToClient());
    stage.text->SetActive(true);
    stage.finishFade();
    EXPECT_EQ(stage.text->DisplayedFontSize(), 28);
    const TCnFontLabel& style = stage.text->Fonts().Items(0);
    EXPECT_EQ(stage.text->DisplayedCharacterHeight(), -style.Font().Height());

    TBitmap expected(size.width(), size.height(), TPixelFormat::pf32bit);
    TCanvas& canvas = expected.Canvas();
    canvas.Brush() = TBrush{stage.text->Color(), TBrushStyle::bsSolid};
    canvas.FillRect(QRect(QPoint(0, 0), size));
    canvas.Brush().Style = TBrushStyle::bsClear;
    canvas.Font().Assign(style.Font());
    TCnAAFontEx renderer(&canvas);
    renderer.Effect().CopyFrom(&style.Effect());
    renderer.SetQuality(stage.text->Text().Quality());
    const QPoint at = placeLine(TAlignment::taCenter, TTextLayout::tlCenter, size, renderer.TextExtent("苹果"));
    renderer.TextOutput(at.x(), at.y(), "苹果");
    EXPECT_EQ(stage.frame(), expected.Image());
}

}  // namespace
}  // namespace caici
