// 禁词模式 on the big screen: the forbidden words under the word, each line
// fitted to its part of the display and never cut, from a small projector to
// a 4K screen; words shown as typed; F ends the word as a foul.

#include "round/guessing_window_geometry.h"
#include "texts/user_texts.h"
#include "window_fixture.h"

#include <QImage>

namespace caici::testing {
namespace {

std::vector<WordEntry> forbiddenLibrary() {
    return {{"长颈鹿", 2, {}, 0, {"脖子", "高", "动物园"}},
            {"<Title1>", 1},
            {"冰淇淋", 1, {}, 0, {"甜", "冷", "夏天", "奶油", "蛋筒"}}};
}

class WindowForbiddenTest : public WindowTest {
protected:
    WindowForbiddenTest() : WindowTest(forbiddenLibrary()) {}

    TCnAAFadeText& display(const char* name) const { return part<TCnAAFadeText>(name); }
    static bool faded(const TCnAAFadeText& display) {
        return QTest::qWaitFor([&] { return !display.Fading(); }, 3000);
    }
    // Whether the line on display has ink, and none of it on the display's
    // outermost pixels. In high contrast the display is opaque black with
    // white text, so any other pixel is ink.
    static bool inkInside(const TCnAAFadeText& display) {
        const QImage image = display.DisplayImage().Image().convertToFormat(QImage::Format_RGB32);
        if (image.width() != display.width() || image.height() != display.height()) return false;
        bool any = false;
        for (int y = 0; y < image.height(); ++y) {
            const auto* row = reinterpret_cast<const QRgb*>(image.constScanLine(y));
            const bool edgeRow = y == 0 || y == image.height() - 1;
            for (int x = 0; x < image.width(); ++x) {
                if ((row[x] & 0xFFFFFF) == 0) continue;
                if (edgeRow || x == 0 || x == image.width() - 1) return false;
                any = true;
            }
        }
        return any;
    }
};

// The forbidden words stand under the word in their own smaller line; both
// lines are whole in a window of a 1024 x 768 screen and at 3840 x 2160 (five
// forbidden words, the longest line). The window grows while the first word
// still fades in, as it does when the platform makes it full screen: the
// frames are drawn again at the new size.
TEST_F(WindowForbiddenTest, TheForbiddenWordsStandUnderTheWordAndBothFit) {
    window->menu().highContrast->trigger();
    for (const QSize size : {QSize(1008, 700), QSize(3840, 2160)}) {
        startRound();
        window->resize(size);
        ASSERT_TRUE(settles([&] { return window->size() == size; })) << size.width();
        ASSERT_TRUE(game->forbiddenMode()) << "on by default: the library has forbidden words";
        const std::vector<std::string>& forbiddenWords = round().currentEntry.forbidden;
        ASSERT_FALSE(forbiddenWords.empty());
        TCnAAFadeText& word = display("aft1");
        TCnAAFadeText& forbidden = display("aft2");
        ASSERT_TRUE(faded(word) && faded(forbidden));
        EXPECT_EQ(forbidden.DisplayedText(), forbiddenWordsText(forbiddenWords));
        EXPECT_TRUE(forbidden.isVisible());
        EXPECT_EQ(forbidden.y(), word.geometry().bottom() + 1) << "under the word";
        EXPECT_LT(forbidden.DisplayedCharacterHeight(), word.DisplayedCharacterHeight());
        EXPECT_TRUE(inkInside(word)) << size.width();
        EXPECT_TRUE(inkInside(forbidden)) << size.width();
        game->close();
    }
    EXPECT_TRUE(errors.reported.empty());
}

// Switched off, the word has the whole display again and nothing stands
// under it; a word's markup is never read as a style.
TEST_F(WindowForbiddenTest, OffTheWordTakesTheWholeDisplayAndWordsShowAsTyped) {
    game->setForbiddenMode(false);
    startRound();
    EXPECT_FALSE(display("aft2").isVisible());
    EXPECT_EQ(display("aft1").height(), design::aft1.height() + window->height() - design::clientSize.height());
    correctButton().click();
    later();
    ASSERT_EQ(shownWord(), "<Title1>");
    ASSERT_TRUE(faded(display("aft1")));
    QString shown = QString::fromStdString(display("aft1").DisplayedText());
    shown.remove(QChar(0x2060));
    EXPECT_EQ(shown, QStringLiteral("<Title1>"));
}

// Switched off on a 4K screen, the forbidden words' display keeps no
// pictures while hidden (tens of megabytes at that size); switched on again,
// it shows the forbidden words of the word on screen at once.
TEST_F(WindowForbiddenTest, SwitchedOffTheForbiddenWordsHoldNoPicturesAndComeBackWhole) {
    window->menu().highContrast->trigger();
    startRound();
    window->resize(3840, 2160);
    ASSERT_TRUE(settles([&] { return window->width() == 3840; }));
    TCnAAFadeText& forbidden = display("aft2");
    ASSERT_TRUE(faded(display("aft1")) && faded(forbidden));
    game->setForbiddenMode(false);
    for (int word = 0; word < 2; ++word) {
        correctButton().click();
        later();
    }
    ASSERT_EQ(shownWord(), "冰淇淋");
    ASSERT_TRUE(faded(display("aft1")));
    EXPECT_TRUE(forbidden.DisplayImage().Empty());

    game->setForbiddenMode(true);
    ASSERT_TRUE(faded(forbidden));
    EXPECT_EQ(forbidden.DisplayedText(), forbiddenWordsText(round().currentEntry.forbidden));
    EXPECT_TRUE(inkInside(forbidden));
    EXPECT_TRUE(errors.reported.empty());
}

// F on the big screen ends the word as a foul.
TEST_F(WindowForbiddenTest, KeyFScoresAFoul) {
    startRound();
    QTest::keyClick(window.get(), Qt::Key_F);
    EXPECT_EQ(round().skipCount, 1);
    EXPECT_EQ(shownWord(), "<Title1>");
    ticks(game->countdownSeconds());
    ASSERT_TRUE(game->review());
    EXPECT_EQ(game->review()->entries()[0].verdict, Verdict::foul);
}

}  // namespace
}  // namespace caici::testing
