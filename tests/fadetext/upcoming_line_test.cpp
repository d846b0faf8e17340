#include <gtest/gtest.h>

#include <functional>
#include <string>

#include "fade_text_fixture.h"

namespace caici {
namespace {

using testing::FadeStage;

// A word display as the game runs it: transparent over its window, each line
// fitted to the control.
void runAsWordDisplay(FadeStage& stage) {
    stage.text->Text().SetTransparent(true);
    stage.text->SetFitToClient(true);
    stage.text->SetActive(true);
    stage.finishFade();
}

// A line drawn ahead is shown only as it would be drawn now: whatever
// changed after it was drawn (the line the owner named, a style, the fit, the
// size, the quality, the transparency), the frame equals that of a display
// that never drew anything ahead.
TEST(UpcomingLine, NeverShowsALineDrawnForOtherSettings) {
    struct Case {
        const char* name;
        std::string upcoming;
        std::string shown;
        std::function<void(TCnAAFadeText&)> change;
    };
    const auto nothing = [](TCnAAFadeText&) {};
    const Case cases[] = {
        {"as named", "<Title1><Center>香蕉", "<Title1><Center>香蕉", nothing},
        {"another line", "<Title1><Center>香蕉", "<Title1><Center>大象", nothing},
        {"same word, other markup", "<Title1><Center>香蕉", "<Title1><Right>香蕉", nothing},
        {"style size", "<Title1><Center>香蕉", "<Title1><Center>香蕉",
         [](TCnAAFadeText& text) { text.Fonts().Items(0).Font().SetSize(14); }},
        {"style colour", "<Title1><Center>香蕉", "<Title1><Center>香蕉",
         [](TCnAAFadeText& text) { text.Fonts().Items(0).Font().SetColor(clRed); }},
        {"fit scale", "<Title1><Center>香蕉", "<Title1><Center>香蕉",
         [](TCnAAFadeText& text) { text.SetFitScale(0.5); }},
        {"resize", "<Title1><Center>香蕉", "<Title1><Center>香蕉",
         [](TCnAAFadeText& text) { text.resize(260, 90); }},
        {"quality", "<Title1><Center>香蕉", "<Title1><Center>香蕉",
         [](TCnAAFadeText& text) { text.Text().SetQuality(TAAQuality::aqHigh); }},
        {"opaque", "<Title1><Center>香蕉", "<Title1><Center>香蕉",
         [](TCnAAFadeText& text) { text.Text().SetTransparent(false); }},
    };
    for (const Case& c : cases) {
        FadeStage ahead({"<Title1><Center>苹果"});
        FadeStage plain({"<Title1><Center>苹果"});
        runAsWordDisplay(ahead);
        runAsWordDisplay(plain);
        ahead.text->SetUpcomingLine(c.upcoming);
        ahead.text->PrepareUpcomingLine();
        for (FadeStage* stage : {&ahead, &plain}) {
            c.change(*stage->text);
            stage->text->Text().Lines().SetLine(c.shown);
            stage->text->FadeStep();
        }
        EXPECT_EQ(ahead.frame(), plain.frame()) << c.name << ", first step";
        ahead.finishFade();
        plain.finishFade();
        EXPECT_EQ(ahead.text->CurrentText(), c.shown) << c.name;
        EXPECT_EQ(ahead.frame(), plain.frame()) << c.name;
    }
}

// Drawing a line ahead changes nothing on screen, also when the platform
// paints the control meanwhile.
TEST(UpcomingLine, DrawingAheadLeavesTheFrameOnScreen) {
    FadeStage stage({"<Title1><Center>苹果"});
    runAsWordDisplay(stage);
    const QImage shown = stage.frame();
    stage.text->SetUpcomingLine("<Title1><Center>大象跳舞");
    stage.text->PrepareUpcomingLine();
    EXPECT_EQ(stage.frame(), shown);
    stage.text->repaint();
    EXPECT_EQ(stage.frame(), shown);
    EXPECT_EQ(stage.text->DisplayedText(), "苹果");
}

}  // namespace
}  // namespace caici
