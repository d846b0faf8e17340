#include "fake_round_world.h"

#include <gtest/gtest.h>

namespace caici::testing {
namespace {

const std::string kEndText = "本轮猜词已经结束！\r\n\r\n在屏幕上点击右键，结束退出本轮，然后开始下一轮比赛竞猜！";

class RoundCountdown : public RoundFixture, public ::testing::Test {
protected:
    RoundCountdown() { dealInOrder(lists, {"猫|3", "狗|4", "鸡|5"}); }
};

// A countdown of n shows n-1 down to 1, ends at the n-th tick, and plays the
// end cue at the tick that leaves 6; at or below 0 it ends at the first tick.
TEST_F(RoundCountdown, TicksEndCueAndEnd) {
    struct Case {
        std::string countdown;
        int ticksToEnd;
        int endCueTick;  // 0: never
        std::string firstTimeText;
    };
    const std::vector<Case> cases = {
        {"90", 90, 84, "089"}, {"7", 7, 1, "006"},  {"6", 6, 0, "005"},   {"1", 1, 0, "000"},
        {"0", 1, 0, "000"},    {"-3", 1, 0, "000"}, {"1001", 1001, 995, "1000"},
        // The lowest 32-bit value ends at once instead of wrapping round.
        {"-2147483648", 1, 0, "000"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE("countdown " + c.countdown);
        dealInOrder(lists, {"猫|3"});
        start(c.countdown);
        int endCueTick = 0;
        for (int tick = 1; tick <= c.ticksToEnd; ++tick) {
            ASSERT_EQ(engine.phase(), RoundPhase::running) << "tick " << tick;
            const auto before = world.log.size();
            engine.tick();
            if (!world.since(before, "cue N3").empty()) endCueTick = tick;
            if (tick == 1) {
                EXPECT_EQ(world.timeDisplay.text, c.firstTimeText);
            }
            if (tick == c.endCueTick) {
                EXPECT_EQ(world.timeDisplay.text, "006");
            }
        }
        EXPECT_EQ(engine.phase(), RoundPhase::over);
        EXPECT_EQ(endCueTick, c.endCueTick);
        EXPECT_EQ(engine.remainingSeconds(), 0);
    }
}

// A 90-second round shows every value from "089" to "001", then "000".
TEST_F(RoundCountdown, NinetySecondsShowEveryValue) {
    start();
    const auto before = world.log.size();
    ticks(90);
    const auto shown = world.since(before, "time=");
    ASSERT_EQ(shown.size(), 90u);
    EXPECT_EQ(shown.front(), "time=089");
    EXPECT_EQ(shown[88], "time=001");
    EXPECT_EQ(shown.back(), "time=000");
}

// The start leaves the time display alone until the first tick.
TEST_F(RoundCountdown, StartDoesNotWriteTheTimeDisplay) {
    world.timeDisplay.text = "042";
    start();
    EXPECT_EQ(world.timeDisplay.text, "042");
    EXPECT_EQ(world.since(0, "time=").size(), 0u);
}

// The end: countdown stopped, time "000", final score line, score cue, both
// buttons off, score display "000", then the one end message.
TEST_F(RoundCountdown, EndOfRoundOrderOfEffects) {
    dealInOrder(lists, {"猫|12", "狗|4"});
    start("2");
    engine.correct();
    engine.tick();
    const auto before = world.log.size();
    engine.tick();
    EXPECT_EQ(world.since(before), (Log{"countdown off", "time=000", "word=<Title1><Center>12 分", "cue N4",
                                        "correct off", "skip off", "score=000", "end message"}));
    ASSERT_EQ(world.endMessages.size(), 1u);
    EXPECT_EQ(world.endMessages[0].caption, "提示");
    EXPECT_EQ(world.endMessages[0].text, kEndText);
    EXPECT_EQ(engine.score(), 12);
    EXPECT_EQ(engine.wordLine(), WordLine::finalScore);

    // Nothing answers any more: no tick, no press.
    const auto after = world.log.size();
    ticks(5);
    engine.correct();
    engine.skip();
    EXPECT_EQ(world.log.size(), after);
    EXPECT_EQ(world.endMessages.size(), 1u);
}

// Messages queued during a tick run before the count changes.
TEST_F(RoundCountdown, TickLetsPendingMessagesRunFirst) {
    start();
    onPump = [this] { engine.correct(); };
    const auto before = world.log.size();
    engine.tick();
    const auto log = world.since(before);
    ASSERT_FALSE(log.empty());
    EXPECT_EQ(log.front(), "cue yes1");
    EXPECT_EQ(log.back(), "time=089");
}

// Closing stops the countdown: no end cue, final line or end message later,
// also when the close arrives through the pump of a tick.
TEST_F(RoundCountdown, ClosingStopsTheRound) {
    for (const bool closeInsideTick : {false, true}) {
        SCOPED_TRACE(closeInsideTick ? "closed inside a tick" : "closed between ticks");
        dealInOrder(lists, {"猫|3", "狗|4", "鸡|5"});
        start("20");
        engine.skip();
        ticks(1);
        const auto before = world.log.size();
        if (closeInsideTick) {
            onPump = [this] { engine.closeWindow(); };
            engine.tick();
            onPump = nullptr;
        } else {
            engine.closeWindow();
        }
        EXPECT_EQ(world.since(before), (Log{"countdown off", "caption=跳过", "word=<Title1><Center>Velmarin出品"}));
        EXPECT_EQ(engine.phase(), RoundPhase::closed);
        EXPECT_EQ(engine.remainingSeconds(), 19);

        const auto closed = world.log.size();
        ticks(20);
        EXPECT_EQ(world.log.size(), closed);
        EXPECT_TRUE(world.endMessages.empty());

        start("5");
        EXPECT_TRUE(world.countdownTimer.enabled);
        EXPECT_EQ(engine.phase(), RoundPhase::running);
    }
}

// A restart resets score and skips, re-enables the buttons and the score
// display, keeps the running countdown's rhythm and the skip caption, and
// sets a full countdown.
TEST_F(RoundCountdown, RestartDuringAndAfterARound) {
    dealInOrder(lists, {"猫|3", "狗|4", "鸡|5", "鸭|6", "鹅|7", "牛|8"});
    start("30");
    ticks(5);
    engine.skip();
    engine.skip();
    engine.skip();
    engine.correct();
    ASSERT_EQ(world.skipCaption.text, "跳过[3]");

    const auto before = world.log.size();
    start("20");
    EXPECT_EQ(world.since(before), (Log{"correct on", "skip on", "window shown", "word=<Title1><Center>牛",
                                        "score=000"}));
    EXPECT_EQ(engine.score(), 0);
    EXPECT_EQ(engine.skipCount(), 0);
    EXPECT_EQ(engine.currentPoints(), 8);
    engine.tick();
    EXPECT_EQ(world.timeDisplay.text, "019");

    // After the end, a new start brings the buttons back.
    ticks(19);
    ASSERT_EQ(engine.phase(), RoundPhase::over);
    dealInOrder(lists, {"羊|2"});
    start("20");
    EXPECT_TRUE(world.correctButton.enabled);
    EXPECT_TRUE(world.skipButton.enabled);
    EXPECT_TRUE(world.countdownTimer.enabled);
    EXPECT_EQ(world.scoreDisplay.text, "000");
    EXPECT_EQ(world.skipCaption.text, "跳过[3]");
}

}  // namespace
}  // namespace caici::testing
