// A round played through the real guessing window: its buttons, timers,
// flashes, captions, the end of the round and closing.

#include <QKeyEvent>
#include <QTest>

#include "common/number_text.h"
#include "round/click_label.h"
#include "round/review_panel.h"
#include "window_fixture.h"

namespace caici::testing {
namespace {

const std::string prefix = "<Title1><Center>";

class WindowRoundTest : public WindowTest {};

// A start shows the window with the first word, "000" for the score, the
// full countdown and a plain skip caption, also straight after a round with
// skips; the first tick shows the countdown minus one.
TEST_F(WindowRoundTest, StartShowsTheFirstWordAndTicksCountDown) {
    startRound();
    window->btn2Click();
    later();
    window->btn2Click();
    startRound();
    EXPECT_TRUE(window->isVisible());
    EXPECT_EQ(text(window->Label2), "000");
    EXPECT_EQ(text(window->Label3), "090");
    EXPECT_EQ(text(window->btn2), "跳过");
    EXPECT_TRUE(window->tmr1.isActive());
    EXPECT_EQ(window->tmr1.interval(), 1000);

    window->tmr1Timer();
    EXPECT_EQ(text(window->Label3), "089");
    for (int i = 0; i < 82; ++i) window->tmr1Timer();
    EXPECT_EQ(text(window->Label3), "007");
    window->tmr1Timer();
    EXPECT_EQ(text(window->Label3), "006");
    EXPECT_EQ(cues().back(), "cue end");
}

// "正确" credits the word on display, shows the next one and flashes "+N"
// until the flash timer's tick; a second correct answer within the period
// does not restart the timer.
TEST_F(WindowRoundTest, CorrectCreditsAndFlashes) {
    startRound();
    const int first = shownPoints();
    QTest::mouseClick(window->btn1, Qt::LeftButton);

    EXPECT_EQ(cues().back(), "cue yes");
    EXPECT_EQ(wordLine(), prefix + "词1");
    EXPECT_EQ(text(window->Label2), "00" + std::to_string(first));
    EXPECT_TRUE(window->Label5->isVisible());
    EXPECT_EQ(text(window->Label5), "+" + std::to_string(first));
    EXPECT_TRUE(window->tmr3.isActive());
    EXPECT_EQ(window->tmr3.interval(), 500);
    const int timerId = window->tmr3.timerId();

    const int second = shownPoints();
    later();
    window->btn1Click();
    EXPECT_EQ(text(window->Label5), "+" + std::to_string(second));
    EXPECT_EQ(window->tmr3.timerId(), timerId) << "a running flash timer keeps its period";
    EXPECT_EQ(text(window->Label2), "00" + std::to_string(first + second));

    window->tmr3Timer();
    EXPECT_FALSE(window->Label5->isVisible());
    EXPECT_FALSE(window->tmr3.isActive());
}

// Skips change the caption; the third costs 2 seconds and flashes "-2" until
// the penalty timer's tick.
TEST_F(WindowRoundTest, SkipsCountInTheCaptionAndPenalise) {
    startRound();
    window->btn2Click();
    later();
    EXPECT_EQ(text(window->btn2), "跳过[1]");
    window->btn2Click();
    later();
    EXPECT_FALSE(window->Label6->isVisible());
    EXPECT_FALSE(window->tmr2.isActive());
    EXPECT_EQ(text(window->btn2), "跳过[2]");
    EXPECT_TRUE(window->tmr3.isActive()) << "a skip blanks the score flash";
    EXPECT_EQ(text(window->Label5), "  ");

    window->btn2Click();
    EXPECT_EQ(text(window->btn2), "跳过[3]");
    EXPECT_TRUE(window->Label6->isVisible());
    EXPECT_EQ(text(window->Label6), "-2");
    EXPECT_TRUE(window->tmr2.isActive());
    EXPECT_EQ(window->tmr2.interval(), 500);
    EXPECT_EQ(round().remainingSeconds, 88);

    window->tmr2Timer();
    EXPECT_FALSE(window->Label6->isVisible());
    EXPECT_FALSE(window->tmr2.isActive());
    window->tmr1Timer();
    EXPECT_EQ(text(window->Label3), "087");
}

// At zero the final score stands in the word display and in the score
// display, the time reads "000", both buttons are disabled, the countdown
// stops and the end box, which says what comes next, is shown once.
TEST_F(WindowRoundTest, EndOfRound) {
    game->setCountdownSeconds(2);
    startRound();
    const int first = shownPoints();
    window->btn1Click();
    window->tmr1Timer();
    EXPECT_TRUE(dialogs->boxes.empty());
    window->tmr1Timer();

    ASSERT_EQ(dialogs->boxes.size(), 1u);
    EXPECT_EQ(dialogs->boxes[0].caption, QStringLiteral("提示"));
    EXPECT_TRUE(dialogs->boxes[0].text.contains(QStringLiteral("下一轮")));
    EXPECT_EQ(wordLine(), prefix + std::to_string(first) + " 分");
    EXPECT_EQ(text(window->Label3), "000");
    EXPECT_EQ(text(window->Label2), threeDigits(first));
    EXPECT_FALSE(window->btn1->isEnabled());
    EXPECT_FALSE(window->btn2->isEnabled());
    EXPECT_FALSE(window->tmr1.isActive());
    EXPECT_EQ(cues().back(), "cue score");
}

// Closing hides the window, shows the idle line, resets the skip caption and
// stops the countdown; the next start shows the window again.
TEST_F(WindowRoundTest, ClosingResetsAndStops) {
    startRound();
    window->btn2Click();
    window->close();
    EXPECT_FALSE(window->isVisible());
    EXPECT_EQ(wordLine(), prefix + "Velmarin出品");
    EXPECT_EQ(text(window->btn2), "跳过");
    EXPECT_FALSE(window->tmr1.isActive());

    startRound();
    EXPECT_TRUE(window->isVisible());
    EXPECT_TRUE(window->tmr1.isActive());
}

// The menu's last entry ends the round the same way, and so does a round
// closed by the game itself.
TEST_F(WindowRoundTest, EndThisRoundEntryCloses) {
    startRound();
    window->menu().N6->trigger();
    EXPECT_FALSE(window->isVisible());
    EXPECT_EQ(wordLine(), prefix + "Velmarin出品");
    EXPECT_FALSE(window->tmr1.isActive());

    startRound();
    game->close();
    EXPECT_FALSE(window->isVisible());
}

// The clicker's keys and Enter reach the game whatever widget has the focus:
// a focused button neither takes an arrow to move the focus nor presses
// itself on Space, and a held key counts once.
TEST_F(WindowRoundTest, TheGamesKeysWorkWhateverHasTheFocus) {
    startRound();
    window->activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(window.get()));

    struct Press {
        QWidget* focus;
        Qt::Key key;
        const char* cue;
    };
    for (const Press& press : {Press{window->btn1, Qt::Key_Right, "cue yes"}, Press{window->btn1, Qt::Key_Left, "cue no"},
                               Press{window->btn2, Qt::Key_Right, "cue yes"}, Press{window->btn2, Qt::Key_Return, "cue yes"},
                               Press{window->btn1, Qt::Key_PageUp, "cue no"}, Press{window.get(), Qt::Key_PageDown, "cue yes"}}) {
        press.focus->setFocus();
        const auto before = cues().size();
        QTest::keyClick(press.focus, press.key);
        later();
        EXPECT_EQ(cues().size(), before + 1) << static_cast<int>(press.key);
        EXPECT_EQ(cues().back(), press.cue);
    }

    window->btn1->setFocus();
    const auto before = cues().size();
    QTest::keyClick(window->btn1, Qt::Key_Space);
    EXPECT_TRUE(game->round().paused);
    QTest::keyClick(window->btn1, Qt::Key_Space);
    EXPECT_FALSE(game->round().paused);
    later();
    QKeyEvent held(QEvent::KeyPress, Qt::Key_PageDown, Qt::NoModifier, QString(), true);
    QApplication::sendEvent(window->btn1, &held);
    EXPECT_EQ(cues().size(), before);
}

// The end box stands over the final score and the review waits behind it
// until the host closes it; a round started meanwhile (a phone's 开始) takes
// the box away and never runs under it.
TEST_F(WindowRoundTest, TheReviewFollowsTheEndBoxAndANewRoundTakesTheBoxAway) {
    dialogs->closeRoundOverAtOnce = false;
    game->setCountdownSeconds(2);
    for (const bool closedByHost : {true, false}) {
        startRound();
        window->tmr1Timer();
        window->tmr1Timer();
        ASSERT_TRUE(dialogs->roundOverOpen) << closedByHost;
        ASSERT_TRUE(game->review().has_value());
        EXPECT_FALSE(window->review->isVisible());
        if (closedByHost) {
            dialogs->closeRoundOver();
            EXPECT_TRUE(window->review->isVisible());
        } else {
            EXPECT_EQ(game->perform(Command{CommandKind::start}), std::nullopt);
            EXPECT_FALSE(dialogs->roundOverOpen);
            EXPECT_EQ(game->round().phase, RoundPhase::running);
            EXPECT_FALSE(window->review->isVisible());
        }
    }
}

}  // namespace
}  // namespace caici::testing
