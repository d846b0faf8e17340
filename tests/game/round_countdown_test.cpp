#include "game_fixture.h"

#include <gtest/gtest.h>

namespace caici::testing {
namespace {

class RoundCountdown : public GameFixture, public ::testing::Test {
protected:
    RoundCountdown() { dealInOrder({{"猫", 3}, {"狗", 4}, {"鸡", 5}}); }
};

// A countdown of n shows n-1 down to 1, ends at the n-th tick, and plays the
// end cue at the tick that leaves 6; at or below 0 it ends at the first tick.
TEST_F(RoundCountdown, TicksEndCueAndEnd) {
    struct Case {
        std::int32_t countdown;
        int ticksToEnd;
        int endCueTick;  // 0: never
        std::string firstTime;
    };
    const std::vector<Case> cases = {
        {90, 90, 84, "time 89"}, {7, 7, 1, "time 6"},  {6, 6, 0, "time 5"},          {1, 1, 0, "time 0"},
        {0, 1, 0, "time 0"},     {-3, 1, 0, "time 0"}, {1001, 1001, 995, "time 1000"},
        // The lowest 32-bit value ends at once instead of wrapping round.
        {INT32_MIN, 1, 0, "time 0"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE("countdown " + std::to_string(c.countdown));
        start(c.countdown);
        int endCueTick = 0;
        for (int tick = 1; tick <= c.ticksToEnd; ++tick) {
            ASSERT_EQ(round().phase, RoundPhase::running) << "tick " << tick;
            const auto before = log.entries.size();
            game->tick();
            if (!log.since(before, "cue end").empty()) endCueTick = tick;
            if (tick == 1) {
                EXPECT_EQ(log.since(before, "time").at(0), c.firstTime);
            }
            if (tick == c.endCueTick) {
                EXPECT_EQ(log.since(before, "time"), Log{"time 6"});
            }
        }
        EXPECT_EQ(round().phase, RoundPhase::over);
        EXPECT_EQ(endCueTick, c.endCueTick);
        EXPECT_EQ(round().remainingSeconds, 0);
    }
}

// The start leaves the time alone until the first tick, which shows the
// countdown less one.
TEST_F(RoundCountdown, TheFirstTimeComesWithTheFirstTick) {
    start();
    EXPECT_TRUE(log.since(0, "time").empty());
    const auto before = log.entries.size();
    ticks(90);
    const auto shown = log.since(before, "time");
    ASSERT_EQ(shown.size(), 90u);
    EXPECT_EQ(shown.front(), "time 89");
    EXPECT_EQ(shown[88], "time 1");
    EXPECT_EQ(shown.back(), "time 0");
}

// The end: countdown stopped, time 0, the score cue, both buttons off, the
// round over with its score and skips; nothing answers any more.
TEST_F(RoundCountdown, EndOfRound) {
    dealInOrder({{"猫", 12}, {"狗", 4}, {"鸡", 5}});
    start(12);
    correct();
    skip();
    ticks(11);
    const auto before = log.entries.size();
    game->tick();
    EXPECT_EQ(log.since(before), (Log{"countdown off", "time 0", "cue score", "controls off off", "over 12 1"}));
    EXPECT_EQ(round().line, WordLine::finalScore);

    const auto after = log.entries.size();
    ticks(5);
    correct();
    skip();
    EXPECT_EQ(log.entries.size(), after);
}

// Closing stops the countdown: no end cue, final score or end later; the
// next start runs.
TEST_F(RoundCountdown, ClosingStopsTheRound) {
    start(20);
    skip();
    ticks(1);
    const auto before = log.entries.size();
    game->close();
    EXPECT_EQ(log.since(before), (Log{"countdown off", "closed"}));
    EXPECT_EQ(round().phase, RoundPhase::closed);
    EXPECT_EQ(round().remainingSeconds, 19);

    const auto closed = log.entries.size();
    ticks(20);
    EXPECT_EQ(log.entries.size(), closed);

    start(5);
    EXPECT_TRUE(round().countdownRunning);
    EXPECT_EQ(round().phase, RoundPhase::running);
}

// A restart resets score and skips, brings the buttons back, keeps the
// running countdown (no second timer) and sets a full countdown.
TEST_F(RoundCountdown, RestartDuringAndAfterARound) {
    dealInOrder({{"猫", 3}, {"狗", 4}, {"鸡", 5}, {"鸭", 6}, {"鹅", 7}, {"牛", 8}});
    start(30);
    ticks(5);
    skip();
    skip();
    skip();
    correct();

    const auto before = log.entries.size();
    game->setCountdownSeconds(20);
    game->start();
    EXPECT_EQ(log.since(before), (Log{"busy", "controls on on", "cue start", "idle", "started", "word 猫 3"}));
    EXPECT_EQ(round().score, 0);
    EXPECT_EQ(round().skipCount, 0);
    later();
    game->tick();
    EXPECT_EQ(log.entries.back(), "time 19");

    // After the end, a new start brings the buttons back.
    ticks(19);
    ASSERT_EQ(round().phase, RoundPhase::over);
    dealInOrder({{"羊", 2}});
    start(20);
    EXPECT_TRUE(round().correctEnabled);
    EXPECT_TRUE(round().skipEnabled);
    EXPECT_TRUE(round().countdownRunning);
}

}  // namespace
}  // namespace caici::testing
