#include <gtest/gtest.h>

#include <QPainter>

#include "fadetext/default_text.h"
#include "fade_text_fixture.h"

namespace caici {
namespace {

using testing::FadeStage;

TEST(FadeTextCreation, StartsWithTheDocumentedDefaults) {
    TCnAAFadeText text;
    const TCnFadeTextParam& param = text.Text();
    EXPECT_EQ(param.FadeDelay(), 600u);
    EXPECT_EQ(param.LineDelay(), 3000u);
    EXPECT_EQ(param.Alignment(), TAlignment::taCenter);
    EXPECT_EQ(param.Layout(), TTextLayout::tlCenter);
    EXPECT_EQ(param.Quality(), TAAQuality::aqNormal);
    EXPECT_EQ(param.LabelEffect(), TLabelEffect::leUntilNextLabel);
    EXPECT_EQ(param.BackGroundMode(), TBackGroundMode::bmCenter);
    EXPECT_EQ(param.BackColor(), clWhite);
    EXPECT_FALSE(param.Transparent());
    EXPECT_EQ(param.Lines().Count(), 48);
    EXPECT_TRUE(text.UsesDefaultText());
    EXPECT_TRUE(text.Active());
    EXPECT_FALSE(text.Instant());
    EXPECT_EQ(text.RepeatCount(), 0);
    EXPECT_EQ(text.LineIndex(), -1);
    EXPECT_EQ(text.geometry(), QRect(0, 0, 240, 34));
    EXPECT_FALSE(text.testAttribute(Qt::WA_NativeWindow));
    EXPECT_EQ(text.Fonts().Count(), 0);
    EXPECT_EQ(text.Labels().Count(), 0);
}

TEST(FadeTextCreation, DefaultTextUsesTheDemonstrationStylesAndLabels) {
    const std::string& text = defaultFadeText();
    for (const char* tag : {"<Title1>", "<Title2>", "<Title3>", "<Text1>", "<Center>", "<Owner>", "<Organization>"}) {
        EXPECT_NE(text.find(tag), std::string::npos) << tag;
    }
    EXPECT_NE(text.find("猜词大挑战"), std::string::npos);
}

TEST(FadeTextParameters, ClampTheDelaysSilently) {
    TCnAAFadeText text;
    TCnFadeTextParam& param = text.Text();
    param.SetFadeDelay(10);
    EXPECT_EQ(param.FadeDelay(), 50u);
    param.SetLineDelay(3000);
    param.SetFadeDelay(5000);
    EXPECT_EQ(param.FadeDelay(), 2800u);
    param.SetFadeDelay(600);
    param.SetLineDelay(100);
    EXPECT_EQ(param.LineDelay(), 800u);
    param.SetLineDelay(20000);
    param.SetFadeDelay(10000);
    EXPECT_EQ(param.FadeDelay(), 6375u);
}

TEST(FadeTextParameters, CopyingTakesTheTextSettingsButNotTheLook) {
    TCnAAFadeText source;
    source.Text().SetLineDelay(1000);
    source.Text().SetFadeDelay(50);
    source.Text().SetAlignment(TAlignment::taRightJustify);
    source.Text().SetTransparent(true);
    source.Text().SetQuality(TAAQuality::aqHigh);
    source.Text().Lines().SetLine("<Title1>词");
    TCnAAFadeText target;
    target.SetText(source.Text());
    EXPECT_EQ(target.Text().FadeDelay(), 50u);
    EXPECT_EQ(target.Text().LineDelay(), 1000u);
    EXPECT_EQ(target.Text().Alignment(), TAlignment::taRightJustify);
    EXPECT_TRUE(target.Text().Transparent());
    EXPECT_EQ(target.Text().Lines().Strings(0), "<Title1>词");
    EXPECT_EQ(target.Text().Quality(), TAAQuality::aqNormal);
    EXPECT_EQ(&target.Text().Control(), &target);
}

TEST(FadeSteps, WordDisplayFadesInThreeStepsEachPaintedAtOnce) {
    FadeStage stage({"<Title1><Center>苹果"});
    stage.text->SetActive(true);
    EXPECT_EQ(stage.text->LineIndex(), 0);
    EXPECT_EQ(stage.text->FadeAlpha(), 0);
    EXPECT_TRUE(stage.text->Fading());
    std::vector<int> alphas;
    for (int i = 0; i < 3; ++i) {
        const int paintedBefore = stage.painted;
        stage.text->FadeStep();
        alphas.push_back(stage.text->FadeAlpha());
        EXPECT_EQ(stage.painted, paintedBefore + 1) << "step " << i;
    }
    EXPECT_EQ(alphas, (std::vector<int>{127, 254, 255}));
    EXPECT_FALSE(stage.text->Fading());
    EXPECT_GT(testing::inkedPixels(stage.frame()), 50);
}

TEST(FadeSteps, TitleFadesInTwentySixSteps) {
    FadeStage stage({"<Title1>标题"});
    stage.text->Text().SetLineDelay(3000);
    stage.text->Text().SetFadeDelay(600);
    stage.text->SetActive(true);
    int steps = 0;
    while (stage.text->Fading() && steps < 100) {
        stage.text->FadeStep();
        ++steps;
    }
    EXPECT_EQ(steps, 26);
    EXPECT_EQ(stage.text->FadeAlpha(), 255);
}

// A cross-fade passes through frames between the old and the new line.
TEST(FadeSteps, IntermediateFramesMixBothLines) {
    FadeStage stage({"<Title1>一", "<Title1>二"});
    stage.text->SetActive(true);
    stage.finishFade();
    const QImage first = stage.frame();
    stage.text->NextLine();
    stage.text->FadeStep();
    const QImage middle = stage.frame();
    stage.finishFade();
    const QImage second = stage.frame();
    EXPECT_NE(middle, first);
    EXPECT_NE(middle, second);
}

// With reduced motion a new line shows at once as the last frame of its
// fade would show it, without a fade step and without the fade timer.
TEST(ReducedMotion, ANewLineShowsItsFinalFrameAtOnce) {
    for (const bool transparent : {false, true}) {
        FadeStage instant({"<Title1><Center>苹果"});
        FadeStage faded({"<Title1><Center>苹果"});
        instant.text->SetInstant(true);
        for (FadeStage* stage : {&instant, &faded}) {
            stage->text->Text().SetTransparent(transparent);
            stage->text->SetActive(true);
        }
        faded.finishFade();
        EXPECT_FALSE(instant.text->Fading()) << transparent;
        EXPECT_EQ(instant.frame(), faded.frame()) << transparent;
        for (FadeStage* stage : {&instant, &faded}) stage->text->Text().Lines().SetLine("<Title1><Center>大象跳舞");
        faded.finishFade();
        EXPECT_FALSE(instant.text->Fading()) << transparent;
        EXPECT_EQ(instant.text->DisplayedText(), "大象跳舞") << transparent;
        EXPECT_EQ(instant.frame(), faded.frame()) << transparent;
    }
}

TEST(LineSequence, RepeatCountOneEndsFadedWithOneCompletion) {
    FadeStage stage({"<Title1>一", "<Title1>二"});
    int completions = 0;
    stage.text->SetOnComplete([&](TCnAAGraphicControl& sender) {
        EXPECT_EQ(&sender, stage.text);
        ++completions;
    });
    stage.text->SetRepeatCount(1);
    stage.text->SetActive(true);
    stage.finishFade();
    EXPECT_EQ(stage.text->CurrentText(), "<Title1>一");
    stage.text->NextLine();
    stage.finishFade();
    EXPECT_EQ(stage.text->LineIndex(), 1);
    stage.text->NextLine();
    stage.finishFade();
    EXPECT_FALSE(stage.text->Active());
    EXPECT_EQ(stage.text->LineIndex(), -1);
    EXPECT_EQ(stage.text->PassCount(), 0);
    EXPECT_EQ(stage.text->CurrentText(), "");
    EXPECT_EQ(completions, 1);
    EXPECT_EQ(testing::inkedPixels(stage.frame()), 0);
}

TEST(LineSequence, SwitchingOffAndOnShowsTheNextLine) {
    FadeStage stage({"<Title1>一", "<Title1>二", "<Title1>三"});
    stage.text->SetActive(true);
    stage.text->NextLine();
    EXPECT_EQ(stage.text->LineIndex(), 1);
    stage.text->SetActive(false);
    EXPECT_EQ(stage.text->LineIndex(), 1);
    stage.text->SetActive(true);
    EXPECT_EQ(stage.text->LineIndex(), 2);
    EXPECT_EQ(stage.text->CurrentText(), "<Title1>三");
}

TEST(LineSequence, EmptyLinesKeepTheDisplay) {
    FadeStage stage({"<Title1>一"});
    stage.text->SetActive(true);
    stage.finishFade();
    const QImage shown = stage.frame();
    stage.text->Text().Lines().Clear();
    stage.text->NextLine();
    EXPECT_EQ(stage.text->CurrentText(), "<Title1>一");
    EXPECT_EQ(stage.frame(), shown);
}

// The game replaces the lines with the next word: it shows at once, not at
// the next line tick; the first new frame comes with the first fade step.
// (Until this changed, the new word waited for the line timer.)
TEST(Redrawing, NewLinesShowAtOnce) {
    FadeStage stage({"<Title1><Center>苹果"});
    stage.text->SetActive(true);
    stage.finishFade();
    const QImage shown = stage.frame();
    stage.text->Text().Lines().SetLine("<Title1><Center>香蕉");
    EXPECT_EQ(stage.text->CurrentText(), "<Title1><Center>香蕉");
    EXPECT_EQ(stage.text->LineIndex(), 0);
    EXPECT_TRUE(stage.text->Fading());
    EXPECT_EQ(stage.frame(), shown);
    stage.text->FadeStep();
    const QImage first = stage.frame();
    EXPECT_NE(first, shown);
    stage.finishFade();
    const QImage banana = stage.frame();
    EXPECT_NE(banana, first);
    // Shown in full within the word display's three steps of 25 ms.
    FadeStage fresh({"<Title1><Center>香蕉"});
    fresh.text->SetActive(true);
    fresh.finishFade();
    EXPECT_EQ(banana, fresh.frame());
}

// An inactive control, or one not initialized yet (the start window sets its
// title lines before it is shown), keeps its line until it runs.
TEST(Redrawing, NewLinesWaitWhileTheControlDoesNotRun) {
    FadeStage stage({"<Title1>一", "<Title1>二"});
    stage.text->SetActive(true);
    stage.finishFade();
    stage.text->SetActive(false);
    stage.text->Text().Lines().Assign(std::vector<std::string>{"<Title1>三"});
    EXPECT_EQ(stage.text->CurrentText(), "<Title1>一");
    EXPECT_FALSE(stage.text->Fading());

    TCnAAFadeText title;
    title.Fonts().AddFontLabel("Title1", testing::kTestFace, 20, clBlack, {}, false, 0, 0);
    title.Text().Lines().Assign(std::vector<std::string>{"<Title1>一", "<Title1>二"});
    EXPECT_EQ(title.LineIndex(), -1);
    title.Loaded();
    EXPECT_EQ(title.LineIndex(), 0);
    title.NextLine();
    EXPECT_EQ(title.CurrentText(), "<Title1>二");
}

TEST(Redrawing, AStyleSizeChangeRedrawsTheLineAtOnce) {
    FadeStage stage({"<Title1><Center>苹果"});
    stage.text->SetActive(true);
    stage.finishFade();
    const QRect before = testing::inkBox(stage.frame());
    stage.text->Fonts().Items(0).Font().SetSize(14);
    const QRect after = testing::inkBox(stage.frame());
    EXPECT_LT(after.width(), before.width());
    EXPECT_EQ(stage.text->CurrentText(), "<Title1><Center>苹果");
    EXPECT_EQ(stage.text->LineIndex(), 0);
}

TEST(Redrawing, AResizeRedrawsAtTheNewSizeAndPlacement) {
    FadeStage stage({"<Title1><Center>苹果"});
    stage.text->SetActive(true);
    stage.finishFade();
    stage.text->resize(500, 200);
    const QImage frame = stage.frame();
    EXPECT_EQ(frame.size(), QSize(500, 200));
    const QPoint centre = testing::inkBox(frame).center();
    EXPECT_NEAR(centre.x(), 250, 6);
    EXPECT_NEAR(centre.y(), 100, 6);
}

TEST(Redrawing, NothingIsDrawnBeforeInitializationOrInsideAnUpdate) {
    TCnAAFadeText text;
    text.Fonts().AddFontLabel("Title1", testing::kTestFace, 20, clBlack, {}, false, 0, 0);
    EXPECT_TRUE(text.DisplayImage().Empty());
    text.SetActive(false);
    text.Loaded();
    EXPECT_EQ(text.DisplayImage().Width(), 240);
    text.SetActive(true);
    const QImage shown = text.DisplayImage().Image().copy();
    text.BeginUpdate();
    text.Fonts().Items(0).Font().SetSize(30);
    text.EndUpdate();
    EXPECT_EQ(text.DisplayImage().Image(), shown);
}

TEST(Markup, DisplayedTextIsTheDrawnTextAndReportsItsChanges) {
    FadeStage stage({"<Title1><Center>词 <Owner>", "<Title1>二"});
    std::vector<std::string> reported;
    stage.text->SetOnDisplayedTextChanged(
        [&](TCnAAGraphicControl&) { reported.push_back(stage.text->DisplayedText()); });
    stage.text->SetActive(true);
    const std::string first = "词 " + stage.text->Labels().RegOwner();
    EXPECT_EQ(stage.text->DisplayedText(), first);
    stage.text->NextLine();
    EXPECT_EQ(reported, (std::vector<std::string>{first, "二"}));
}

TEST(Markup, OneLineLabelEffectStartsEveryLineFromTheControlSettings) {
    FadeStage stage({"<Title1><Right>一", "二"});
    stage.text->Text().SetAlignment(TAlignment::taLeftJustify);
    stage.text->SetActive(true);
    stage.text->NextLine();
    stage.finishFade();
    // The untagged line keeps the style and alignment of the line before it.
    const QRect carried = testing::inkBox(stage.frame());
    EXPECT_GT(carried.left(), 160);
    stage.text->Text().SetLabelEffect(TLabelEffect::leOnlyALine);
    const QRect own = testing::inkBox(stage.frame());
    EXPECT_LT(own.left(), 20);
    EXPECT_LT(own.height(), carried.height());
}

// A textured style reports a change while it is copied into the renderer;
// laying out its line must not start another redraw from inside the first.
TEST(Markup, ATexturedStyleRendersWithoutReenteringTheRedraw) {
    FadeStage stage({"<Title1>纹理"});
    QImage stripes(8, 8, QImage::Format_RGB32);
    stripes.fill(Qt::red);
    TCnAAEffect& effect = stage.text->Fonts().Items(0).Effect();
    effect.Texture().PictureForUpdate().SetGraphic(stripes);
    effect.Texture().SetEnabled(true);
    stage.text->SetActive(true);
    stage.finishFade();
    const QImage frame = stage.frame();
    bool red = false;
    for (int y = 0; y < frame.height() && !red; ++y) {
        for (int x = 0; x < frame.width() && !red; ++x) {
            const QColor c = frame.pixelColor(x, y);
            red = c.red() > 200 && c.green() < 30 && c.blue() < 30;
        }
    }
    EXPECT_TRUE(red);
}

TEST(Groups, AssigningCopiesTheValuesAndStaysWithItsControl) {
    TCnAAFadeText first;
    TCnAAFadeText second;
    first.Drag().SetDragMode(TDragMode::dmAutomatic);
    first.Drag().SetDragCursor(-7);
    first.ParentEffect().SetParentShowHint(false);
    second.SetDrag(first.Drag());
    second.SetParentEffect(first.ParentEffect());
    EXPECT_EQ(second.DragMode(), TDragMode::dmAutomatic);
    EXPECT_EQ(second.DragCursor(), -7);
    EXPECT_FALSE(second.ParentShowHint());
    EXPECT_EQ(&second.Drag().Control(), &second);
    first.Drag().SetDragMode(TDragMode::dmManual);
    EXPECT_EQ(second.DragMode(), TDragMode::dmAutomatic);
}

TEST(Groups, ColourAndFontFollowTheParentUntilSet) {
    QWidget parent;
    QPalette palette = parent.palette();
    palette.setColor(QPalette::Window, QColor(10, 20, 30));
    parent.setPalette(palette);
    TCnAAFadeText text(&parent);
    EXPECT_EQ(text.Color(), clWhite);
    EXPECT_FALSE(text.ParentColor());
    text.ParentEffect().SetParentColor(true);
    EXPECT_EQ(text.Color(), fromRgb(10, 20, 30));
    text.Text().SetBackColor(clRed);
    EXPECT_FALSE(text.ParentColor());
    QFont font = parent.font();
    font.setPixelSize(31);
    parent.setFont(font);
    EXPECT_EQ(text.Font().Height(), -31);
}

}  // namespace
}  // namespace caici
