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
// skips; each second counts the display down by one, and the countdown runs
// by itself.
TEST_F(WindowRoundTest, StartShowsTheFirstWordAndTicksCountDown) {
    startRound();
    press(skipButton());
    press(skipButton());
    startRound();
    EXPECT_TRUE(window->isVisible());
    EXPECT_EQ(text(scoreDisplay()), "000");
    EXPECT_EQ(text(timeDisplay()), "090");
    EXPECT_EQ(text(skipButton()), "跳过");
    EXPECT_TRUE(QTest::qWaitFor([&] { return text(timeDisplay()) == "089"; }, 3000));

    ticks(82);
    EXPECT_EQ(text(timeDisplay()), "007");
    ticks(1);
    EXPECT_EQ(text(timeDisplay()), "006");
    EXPECT_EQ(cues().back(), "cue end");
}

// "正确" credits the word on display, shows the next one and flashes "+N",
// which goes by itself soon after; a second correct answer meanwhile shows
// its own "+N".
TEST_F(WindowRoundTest, CorrectCreditsAndFlashes) {
    startRound();
    const int first = shownPoints();
    press(correctButton());

    EXPECT_EQ(cues().back(), "cue yes");
    EXPECT_EQ(wordLine(), prefix + "词1");
    EXPECT_EQ(text(scoreDisplay()), "00" + std::to_string(first));
    EXPECT_TRUE(scoreFlash().isVisible());
    EXPECT_EQ(text(scoreFlash()), "+" + std::to_string(first));

    const int second = shownPoints();
    press(correctButton());
    EXPECT_EQ(text(scoreFlash()), "+" + std::to_string(second));
    EXPECT_EQ(text(scoreDisplay()), "00" + std::to_string(first + second));
    EXPECT_TRUE(goesAway(scoreFlash()));
}

// Skips change the caption and take a "+N" still on screen away at once;
// the third costs 2 seconds and flashes "-2", which goes by itself.
TEST_F(WindowRoundTest, SkipsCountInTheCaptionAndPenalise) {
    startRound();
    press(correctButton());
    press(skipButton());
    EXPECT_EQ(text(skipButton()), "跳过[1]");
    EXPECT_FALSE(scoreFlash().text().contains(QLatin1Char('+'))) << "a skip takes the score flash away";
    press(skipButton());
    EXPECT_FALSE(penaltyFlash().isVisible());
    EXPECT_EQ(text(skipButton()), "跳过[2]");

    press(skipButton());
    EXPECT_EQ(text(skipButton()), "跳过[3]");
    EXPECT_TRUE(penaltyFlash().isVisible());
    EXPECT_EQ(text(penaltyFlash()), "-2");
    EXPECT_EQ(round().remainingSeconds, 88);

    EXPECT_TRUE(goesAway(penaltyFlash()));
    ticks(1);
    EXPECT_EQ(text(timeDisplay()), "087");
}

// At zero the final score stands in the word display and in the score
// display, the time reads "000", both buttons are disabled, the countdown
// stops and the end box, which says what comes next, is shown once.
TEST_F(WindowRoundTest, EndOfRound) {
    game->setCountdownSeconds(2);
    startRound();
    const int first = shownPoints();
    press(correctButton());
    ticks(1);
    EXPECT_TRUE(dialogs->boxes.empty());
    ticks(1);

    ASSERT_EQ(dialogs->boxes.size(), 1u);
    EXPECT_EQ(dialogs->boxes[0].caption, QStringLiteral("提示"));
    EXPECT_TRUE(dialogs->boxes[0].text.contains(QStringLiteral("下一轮")));
    EXPECT_EQ(wordLine(), prefix + std::to_string(first) + " 分");
    EXPECT_EQ(text(timeDisplay()), "000");
    EXPECT_EQ(text(scoreDisplay()), threeDigits(first));
    EXPECT_FALSE(correctButton().isEnabled());
    EXPECT_FALSE(skipButton().isEnabled());
    EXPECT_FALSE(round().countdownRunning);
    EXPECT_EQ(cues().back(), "cue score");
}

// Closing hides the window, shows the idle line, resets the skip caption and
// stops the countdown; the next start shows the window again.
TEST_F(WindowRoundTest, ClosingResetsAndStops) {
    startRound();
    press(skipButton());
    window->close();
    EXPECT_FALSE(window->isVisible());
    EXPECT_EQ(wordLine(), prefix + "Velmarin出品");
    EXPECT_EQ(text(skipButton()), "跳过");
    EXPECT_FALSE(round().countdownRunning);

    startRound();
    EXPECT_TRUE(window->isVisible());
    EXPECT_TRUE(round().countdownRunning);
}

// The menu's last entry ends the round the same way, and so does a round
// closed by the game itself.
TEST_F(WindowRoundTest, EndThisRoundEntryCloses) {
    startRound();
    window->menu().N6->trigger();
    EXPECT_FALSE(window->isVisible());
    EXPECT_EQ(wordLine(), prefix + "Velmarin出品");
    EXPECT_FALSE(round().countdownRunning);

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
    QPushButton* const correct = &correctButton();
    QPushButton* const skip = &skipButton();
    for (const Press& press : {Press{correct, Qt::Key_Right, "cue yes"}, Press{correct, Qt::Key_Left, "cue no"},
                               Press{skip, Qt::Key_Right, "cue yes"}, Press{skip, Qt::Key_Return, "cue yes"},
                               Press{correct, Qt::Key_PageUp, "cue no"}, Press{window.get(), Qt::Key_PageDown, "cue yes"}}) {
        press.focus->setFocus();
        const auto before = cues().size();
        QTest::keyClick(press.focus, press.key);
        later();
        EXPECT_EQ(cues().size(), before + 1) << static_cast<int>(press.key);
        EXPECT_EQ(cues().back(), press.cue);
    }

    correct->setFocus();
    const auto before = cues().size();
    QTest::keyClick(correct, Qt::Key_Space);
    EXPECT_TRUE(game->round().paused);
    QTest::keyClick(correct, Qt::Key_Space);
    EXPECT_FALSE(game->round().paused);
    later();
    QKeyEvent held(QEvent::KeyPress, Qt::Key_PageDown, Qt::NoModifier, QString(), true);
    QApplication::sendEvent(correct, &held);
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
        ticks(2);
        ASSERT_TRUE(dialogs->roundOverOpen) << closedByHost;
        ASSERT_TRUE(game->review().has_value());
        EXPECT_FALSE(part<ReviewPanel>("review").isVisible());
        if (closedByHost) {
            dialogs->closeRoundOver();
            EXPECT_TRUE(part<ReviewPanel>("review").isVisible());
        } else {
            EXPECT_EQ(game->perform(Command{CommandKind::start}), std::nullopt);
            EXPECT_FALSE(dialogs->roundOverOpen);
            EXPECT_EQ(game->round().phase, RoundPhase::running);
            EXPECT_FALSE(part<ReviewPanel>("review").isVisible());
        }
    }
}

}  // namespace
}  // namespace caici::testing
