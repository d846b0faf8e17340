#include "fake_round_world.h"

#include "common/error_guard.h"
#include "common/errors.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <functional>

namespace caici::testing {
namespace {

class RoundStart : public RoundFixture, public ::testing::Test {
protected:
    // Runs body and returns the text of the error it throws ("" if none).
    static std::string errorOf(const std::function<void()>& body) {
        try {
            body();
        } catch (const Error& error) {
            return error.what();
        }
        return "";
    }
};

// A failing start stops where the failure happens: what ran before stays
// done, the countdown is neither set nor started.
TEST_F(RoundStart, FailuresStopTheStartWhereTheyHappen) {
    struct Case {
        std::string name;
        std::vector<std::string> playOrder;
        std::string countdown;
        std::string error;
        std::string wordLine;
    };
    const std::string idle = "<Title1><Center>Velmarin出品";
    const std::vector<Case> cases = {
        {"points not a number", {"猫|abc"}, "90", "'abc' is not a valid integer value", "<Title1><Center>猫"},
        {"points empty", {"猫|"}, "90", "'' is not a valid integer value", "<Title1><Center>猫"},
        {"points beyond 32 bits", {"猫|2147483648"}, "90", "'2147483648' is not a valid integer value",
         "<Title1><Center>猫"},
        {"no points field", {"猫"}, "90", "List index out of bounds (1)", "<Title1><Center>猫"},
        {"countdown not a number", {"猫|3"}, "九十", "'九十' is not a valid integer value", "<Title1><Center>猫"},
        {"empty play order", {}, "90", "List index out of bounds (-1)", idle},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        RoundFixture f;
        dealInOrder(f.lists, c.playOrder);
        f.world.scoreDisplay.text = "017";
        f.world.countdownText = c.countdown;
        f.engine.resetForStart();
        EXPECT_EQ(errorOf([&] { f.engine.startRound(); }), c.error);
        EXPECT_TRUE(f.world.visible);
        EXPECT_EQ(f.world.wordLine, c.wordLine);
        EXPECT_EQ(f.world.scoreDisplay.text, "017");
        EXPECT_FALSE(f.world.countdownTimer.enabled);
        EXPECT_EQ(f.engine.remainingSeconds(), 0);
        EXPECT_EQ(f.lists.count(), 0u);
    }
}

// The error box shows the failure's text with a full stop, once.
TEST_F(RoundStart, FailureReachesTheErrorBoxOnce) {
    struct Reporter : ErrorReporter {
        void reportError(const std::string& text) override { texts.push_back(text); }
        std::vector<std::string> texts;
    } reporter;
    dealInOrder(lists, {"猫|x"});
    guarded(reporter, [&] { start(); });
    EXPECT_EQ(reporter.texts, (std::vector<std::string>{"'x' is not a valid integer value."}));
}

// At correct and skip a bad points field leaves the next word on display and
// consumed; what comes after the conversion (credit, flash blanking) is skipped
// and current points stay those of the word before.
TEST_F(RoundStart, BadPointsDuringTheRound) {
    dealInOrder(lists, {"甲|2", "乙|x"});
    start();
    auto before = world.log.size();
    EXPECT_EQ(errorOf([&] { engine.correct(); }), "'x' is not a valid integer value");
    EXPECT_EQ(world.since(before), (Log{"cue yes1", "word=<Title1><Center>乙"}));
    EXPECT_EQ(engine.currentPoints(), 2);
    EXPECT_EQ(engine.score(), 0);
    EXPECT_EQ(lists.count(), 0u);

    dealInOrder(lists, {"甲|2", "乙|2", "丙|2", "丁"});
    start();
    engine.skip();
    engine.skip();
    before = world.log.size();
    EXPECT_EQ(errorOf([&] { engine.skip(); }), "List index out of bounds (1)");
    EXPECT_EQ(world.since(before), (Log{"cue no1", "penaltyFlash=-2", "penaltyFlash shown", "penaltyFlash timer",
                                        "caption=跳过[3]", "word=<Title1><Center>丁"}));
    EXPECT_EQ(engine.skipCount(), 3);
    EXPECT_EQ(engine.remainingSeconds(), 88);
    EXPECT_EQ(engine.currentPoints(), 2);
}

// The start window's sequence: reset, cue and refill, then the round. Presses
// and ticks that arrive while the refill shuffles belong to no round and are
// ignored (a tick does not even run the pump); the shuffle deals nothing out
// of a half-built order, and every word of the library is dealt exactly once
// afterwards.
TEST_F(RoundStart, PressesAndTicksDuringARefillAreIgnored) {
    std::vector<std::string> library;
    for (int i = 0; i < 60; ++i) library.push_back("词" + std::to_string(i) + "|1");
    dealInOrder(lists, library);
    start("30");
    ticks(3);
    engine.correct();
    for (int i = 0; i < 12; ++i) engine.correct();
    ASSERT_TRUE(lists.needsRefill());

    engine.resetForStart();
    int tickPumps = 0;
    onPump = [&] { ++tickPumps; };
    const auto before = world.log.size();
    RandomSource random(5);
    int pumps = 0;
    lists.shuffle(
        [&] {
            ++pumps;
            engine.correct();
            engine.skip();
            engine.tick();
        },
        random);
    EXPECT_EQ(pumps, 60);
    EXPECT_EQ(tickPumps, 0);
    EXPECT_EQ(world.log.size(), before);
    EXPECT_EQ(engine.score(), 0);
    EXPECT_EQ(engine.skipCount(), 0);
    engine.startRound();

    std::vector<std::string> shown = {world.wordLine};
    while (lists.count() != 0) {
        engine.correct();
        shown.push_back(world.wordLine);
    }
    std::vector<std::string> expected;
    for (const auto& entry : library) expected.push_back("<Title1><Center>" + entry.substr(0, entry.find('|')));
    std::sort(shown.begin(), shown.end());
    std::sort(expected.begin(), expected.end());
    EXPECT_EQ(shown, expected);
    EXPECT_EQ(engine.score(), 59);
}

}  // namespace
}  // namespace caici::testing
