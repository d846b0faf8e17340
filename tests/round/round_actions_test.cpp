#include "fake_round_world.h"

#include <gtest/gtest.h>

namespace caici::testing {
namespace {

std::vector<std::string> words(int n, int points = 1) {
    std::vector<std::string> entries;
    for (int i = 0; i < n; ++i) entries.push_back("词" + std::to_string(i) + "|" + std::to_string(points));
    return entries;
}

class RoundActions : public RoundFixture, public ::testing::Test {};

// The first two skips are free, the n-th after them costs n - 1 seconds and
// flashes "-(n-1)"; every accepted skip numbers the caption and blanks the
// score flash without showing it.
TEST_F(RoundActions, PenaltySchedule) {
    struct Step {
        int remainingAfter;
        std::string penaltyFlash;  // empty: none
    };
    const std::vector<Step> steps = {{90, ""}, {90, ""}, {88, "-2"}, {85, "-3"}, {81, "-4"}, {76, "-5"}};
    dealInOrder(lists, words(10));
    start("90");
    for (std::size_t i = 0; i < steps.size(); ++i) {
        SCOPED_TRACE("skip " + std::to_string(i + 1));
        const auto before = world.log.size();
        engine.skip();
        Log expected = {"cue no1"};
        if (!steps[i].penaltyFlash.empty()) {
            expected.insert(expected.end(), {"penaltyFlash=" + steps[i].penaltyFlash, "penaltyFlash shown",
                                             "penaltyFlash timer"});
        }
        expected.insert(expected.end(), {"caption=跳过[" + std::to_string(i + 1) + "]",
                                         "word=<Title1><Center>词" + std::to_string(i + 1), "scoreFlash=  ",
                                         "scoreFlash timer"});
        EXPECT_EQ(world.since(before), expected);
        EXPECT_EQ(engine.remainingSeconds(), steps[i].remainingAfter);
    }
    // The time display waits for the next tick.
    EXPECT_EQ(world.timeDisplay.text, "000");
    engine.tick();
    EXPECT_EQ(world.timeDisplay.text, "075");
}

// A skip is accepted while remaining seconds - skips made >= 10; a refused
// one plays its cue, disables the button and changes nothing else.
TEST_F(RoundActions, RefusalGuard) {
    struct Case {
        std::string countdown;
        int ticks;
        int skipsBefore;
        bool accepted;
        int remainingAfter;
    };
    const std::vector<Case> cases = {
        {"14", 2, 2, true, 10},  // 12 s, two skips made: the third leaves 10
        {"13", 2, 2, false, 11},  // 11 s, two skips made
        {"9", 0, 0, false, 9},    // 9 s: even the first is refused
        {"10", 0, 0, true, 10},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE("countdown " + c.countdown + ", skips before " + std::to_string(c.skipsBefore));
        dealInOrder(lists, words(6));
        start(c.countdown);
        ticks(c.ticks);
        for (int i = 0; i < c.skipsBefore; ++i) engine.skip();
        const std::string lineBefore = world.wordLine;
        const auto before = world.log.size();
        engine.skip();
        EXPECT_EQ(engine.remainingSeconds(), c.remainingAfter);
        EXPECT_EQ(world.skipButton.enabled, c.accepted);
        if (!c.accepted) {
            EXPECT_EQ(world.since(before), (Log{"cue no1", "skip off"}));
            EXPECT_EQ(world.wordLine, lineBefore);
            EXPECT_EQ(engine.skipCount(), c.skipsBefore);
            // The button stays off; "正确" still answers.
            const auto refused = world.log.size();
            engine.skip();
            EXPECT_EQ(world.log.size(), refused);
            engine.correct();
            EXPECT_EQ(world.since(refused, "cue"), (Log{"cue yes1"}));
        }
    }
}

// A correct answer credits the word that was on display, also one a skip
// brought up, and shows the next; scores are shown with at least 3 digits.
TEST_F(RoundActions, CorrectCreditsTheWordOnDisplay) {
    dealInOrder(lists, {"甲|1", "乙|6", "丙|5", "丁|111", "戊|1111", "己|0"});
    start();
    engine.skip();
    const struct {
        std::string scoreText;
        std::string flash;
    } expected[] = {{"006", "+6"}, {"011", "+5"}, {"122", "+111"}, {"1233", "+1111"}};
    for (const auto& e : expected) {
        const auto before = world.log.size();
        engine.correct();
        const auto log = world.since(before);
        ASSERT_EQ(log.size(), 6u);
        EXPECT_EQ(log[0], "cue yes1");
        EXPECT_EQ(log.at(2), "score=" + e.scoreText);
        EXPECT_EQ(log.at(3), "scoreFlash=" + e.flash);
        EXPECT_EQ(log.at(4), "scoreFlash shown");
        EXPECT_EQ(log.at(5), "scoreFlash timer");
    }
    EXPECT_EQ(engine.score(), 1233);
}

// Entries are cut at "|" only: blanks belong to the word, further fields are ignored.
TEST_F(RoundActions, WordsKeepTheirBlanks) {
    dealInOrder(lists, {" 冰 淇 淋 |12", "a\"b|7|x"});
    start();
    EXPECT_EQ(world.wordLine, "<Title1><Center> 冰 淇 淋 ");
    EXPECT_EQ(engine.currentPoints(), 12);
    engine.correct();
    EXPECT_EQ(world.wordLine, "<Title1><Center>a\"b");
    EXPECT_EQ(engine.currentPoints(), 7);
    EXPECT_EQ(engine.currentEntry(), "a\"b|7|x");
}

// The last word is credited before the exhaustion line; the line itself is
// worth nothing, and the countdown runs on to the end.
TEST_F(RoundActions, CorrectOnTheLastWordThenExhaustion) {
    dealInOrder(lists, {"甲|3", "乙|5"});
    start("20");
    engine.correct();
    auto before = world.log.size();
    engine.correct();
    EXPECT_EQ(world.since(before), (Log{"cue yes1", "score=008", "scoreFlash=+5", "scoreFlash shown",
                                        "scoreFlash timer", "word=<Title1><Center>词库清零"}));
    EXPECT_EQ(engine.currentPoints(), 0);
    EXPECT_EQ(engine.wordLine(), WordLine::exhaustion);

    before = world.log.size();
    engine.correct();
    EXPECT_EQ(world.since(before), (Log{"cue yes1", "word=<Title1><Center>词库清零"}));
    EXPECT_EQ(engine.score(), 8);

    ticks(20);
    EXPECT_EQ(world.wordLine, "<Title1><Center>8 分");
    EXPECT_EQ(world.endMessages.size(), 1u);
}

// A skip on the last word shows the exhaustion line without counting; its
// word is not credited by a later "正确". With the guard failing, the skip
// is refused instead.
TEST_F(RoundActions, SkipOnAnEmptyPlayOrder) {
    dealInOrder(lists, {"甲|3"});
    start("20");
    auto before = world.log.size();
    engine.skip();
    EXPECT_EQ(world.since(before), (Log{"cue no1", "word=<Title1><Center>词库清零"}));
    EXPECT_EQ(engine.skipCount(), 0);
    EXPECT_EQ(engine.remainingSeconds(), 20);
    before = world.log.size();
    engine.correct();
    EXPECT_EQ(world.since(before), (Log{"cue yes1", "word=<Title1><Center>词库清零"}));
    EXPECT_EQ(engine.score(), 0);

    dealInOrder(lists, {"乙|3"});
    start("9");
    before = world.log.size();
    engine.skip();
    EXPECT_EQ(world.since(before), (Log{"cue no1", "skip off"}));
    EXPECT_EQ(world.wordLine, "<Title1><Center>乙");
}

}  // namespace
}  // namespace caici::testing
