#include "game_fixture.h"

#include <gtest/gtest.h>

namespace caici::testing {
namespace {

std::vector<WordEntry> words(int n, int points = 1) {
    std::vector<WordEntry> entries;
    for (int i = 0; i < n; ++i) entries.push_back({"词" + std::to_string(i), points});
    return entries;
}

class RoundActions : public GameFixture, public ::testing::Test {};

// The first two skips are free, the n-th after them costs n - 1 seconds;
// the time shown waits for the next tick.
TEST_F(RoundActions, PenaltySchedule) {
    const struct {
        int remainingAfter;
        int penalty;
    } steps[] = {{90, 0}, {90, 0}, {88, 2}, {85, 3}, {81, 4}, {76, 5}};
    dealInOrder(words(10));
    start(90);
    int number = 0;
    for (const auto& step : steps) {
        ++number;
        SCOPED_TRACE("skip " + std::to_string(number));
        const auto before = log.entries.size();
        skip();
        EXPECT_EQ(log.since(before), (Log{"cue no", "skip " + std::to_string(number) + " -" + std::to_string(step.penalty),
                                          "word 词" + std::to_string(number) + " 1"}));
        EXPECT_EQ(round().remainingSeconds, step.remainingAfter);
    }
    game->tick();
    EXPECT_EQ(log.entries.back(), "time 75");
}

// A skip is accepted while remaining seconds - skips made >= 10; a refused
// one plays its cue, turns skipping off for the round and changes nothing
// else; "正确" still answers.
TEST_F(RoundActions, RefusalGuard) {
    struct Case {
        std::int32_t countdown;
        int ticks;
        int skipsBefore;
        bool accepted;
        int remainingAfter;
    };
    const std::vector<Case> cases = {
        {14, 2, 2, true, 10},   // 12 s, two skips made: the third leaves 10
        {13, 2, 2, false, 11},  // 11 s, two skips made
        {9, 0, 0, false, 9},    // 9 s: even the first is refused
        {10, 0, 0, true, 10},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE("countdown " + std::to_string(c.countdown) + ", skips before " + std::to_string(c.skipsBefore));
        dealInOrder(words(6));
        start(c.countdown);
        ticks(c.ticks);
        for (int i = 0; i < c.skipsBefore; ++i) skip();
        const std::string wordBefore = round().currentEntry.word;
        const auto before = log.entries.size();
        skip();
        EXPECT_EQ(round().remainingSeconds, c.remainingAfter);
        EXPECT_EQ(round().skipEnabled, c.accepted);
        if (!c.accepted) {
            EXPECT_EQ(log.since(before), (Log{"cue no", "controls on off", "skip refused"}));
            EXPECT_EQ(round().currentEntry.word, wordBefore);
            EXPECT_EQ(round().skipCount, c.skipsBefore);
            const auto refused = log.entries.size();
            skip();
            EXPECT_EQ(log.entries.size(), refused);
            correct();
            EXPECT_EQ(log.since(refused, "cue"), (Log{"cue yes"}));
        }
    }
}

// A correct answer credits the word that was on display, also one a skip
// brought up, and shows the next.
TEST_F(RoundActions, CorrectCreditsTheWordOnDisplay) {
    dealInOrder({{"甲", 1}, {"乙", 6}, {"丙", 5}, {"丁", 111}, {"戊", 1111}, {"己", 0}});
    start();
    skip();
    const std::vector<Log> expected = {
        {"cue yes", "word 丙 5", "score 6 +6"},
        {"cue yes", "word 丁 111", "score 11 +5"},
        {"cue yes", "word 戊 1111", "score 122 +111"},
        {"cue yes", "word 己 0", "score 1233 +1111"},
    };
    for (const auto& events : expected) {
        const auto before = log.entries.size();
        correct();
        EXPECT_EQ(log.since(before), events);
    }
    EXPECT_EQ(round().score, 1233);
}

// A word is shown as the cell holds it: its blanks, quotes and bars are
// part of it.
TEST_F(RoundActions, WordsAreShownAsTheCellHoldsThem) {
    dealInOrder({{" 冰 淇 淋 ", 12}, {"a\"b|7|x", 7}});
    start();
    EXPECT_EQ(round().currentEntry.word, " 冰 淇 淋 ");
    EXPECT_EQ(round().currentEntry.points, 12);
    correct();
    EXPECT_EQ(round().currentEntry.word, "a\"b|7|x");
    EXPECT_EQ(round().score, 12);
}

// The last word is credited before the exhaustion line; the line itself is
// worth nothing, and the countdown runs on to the end.
TEST_F(RoundActions, CorrectOnTheLastWordThenExhaustion) {
    dealInOrder({{"甲", 3}, {"乙", 5}});
    start(20);
    correct();
    auto before = log.entries.size();
    correct();
    EXPECT_EQ(log.since(before), (Log{"cue yes", "score 8 +5", "exhausted"}));
    EXPECT_EQ(round().currentEntry.points, 0);
    EXPECT_EQ(round().line, WordLine::exhaustion);

    before = log.entries.size();
    correct();
    EXPECT_EQ(log.since(before), (Log{"cue yes", "exhausted"}));
    EXPECT_EQ(round().score, 8);

    ticks(20);
    EXPECT_EQ(log.entries.back(), "over 8 0");
}

// A skip on the last word shows the exhaustion line without counting; its
// word is not credited by a later "正确". With the guard failing, the skip
// is refused instead.
TEST_F(RoundActions, SkipOnAnEmptyPlayOrder) {
    dealInOrder({{"甲", 3}});
    start(20);
    auto before = log.entries.size();
    skip();
    EXPECT_EQ(log.since(before), (Log{"cue no", "exhausted"}));
    EXPECT_EQ(round().skipCount, 0);
    EXPECT_EQ(round().remainingSeconds, 20);
    before = log.entries.size();
    correct();
    EXPECT_EQ(log.since(before), (Log{"cue yes", "exhausted"}));
    EXPECT_EQ(round().score, 0);

    dealInOrder({{"乙", 3}});
    start(9);
    before = log.entries.size();
    skip();
    EXPECT_EQ(log.since(before), (Log{"cue no", "controls on off", "skip refused"}));
    EXPECT_EQ(round().currentEntry.word, "乙");
}

// A paused round holds its countdown and takes no presses; going on, the word
// needs the usual moment before a press counts.
TEST_F(RoundActions, APausedRoundHoldsItsTimeAndTakesNoPresses) {
    dealInOrder(words(5));
    start(30);
    ticks(2);
    const auto before = log.entries.size();
    game->togglePause();
    ticks(5);
    correct();
    skip();
    EXPECT_EQ(log.since(before), (Log{"countdown off", "paused"}));
    EXPECT_EQ(round().remainingSeconds, 28);
    game->togglePause();
    game->correct();
    EXPECT_EQ(round().score, 0);
    later();
    correct();
    EXPECT_EQ(round().score, 1);
    game->tick();
    EXPECT_EQ(round().remainingSeconds, 27);
}

// A press less than 300 ms after a new word appeared is a bounce or a double
// click: it changes nothing, so no word is credited that nobody saw.
TEST_F(RoundActions, PressesRightAfterANewWordAreIgnored) {
    dealInOrder({{"甲", 1}, {"乙", 2}, {"丙", 3}, {"丁", 4}});
    game->start();
    game->correct();
    now += std::chrono::milliseconds(299);
    game->skip();
    EXPECT_EQ(round().currentEntry.word, "甲");
    EXPECT_TRUE(log.since(0, "cue yes").empty());

    now += std::chrono::milliseconds(1);
    game->correct();
    EXPECT_EQ(round().currentEntry.word, "乙");
    game->correct();
    EXPECT_EQ(round().currentEntry.word, "乙");
    EXPECT_EQ(round().score, 1);
    now += std::chrono::milliseconds(300);
    game->skip();
    EXPECT_EQ(round().currentEntry.word, "丙");
}

}  // namespace
}  // namespace caici::testing
