#include "game_fixture.h"

#include <gtest/gtest.h>

#include <algorithm>

namespace caici::testing {
namespace {

class GameStart : public GameFixture, public ::testing::Test {};

// A failing start stops where the failure happens: what ran before stays
// done (the window is up, the word on display), the countdown is neither set
// nor started, and the host is told once, with a full stop.
TEST_F(GameStart, FailuresStopTheStartWhereTheyHappen) {
    struct Case {
        std::string name;
        std::vector<std::string> library;
        Log events;
    };
    const std::vector<Case> cases = {
        {"points not a number", {"猫|abc"}, {"started", "word 猫 ?", "error 'abc' is not a valid integer value."}},
        {"points empty", {"猫|"}, {"started", "word 猫 ?", "error '' is not a valid integer value."}},
        {"points beyond 32 bits",
         {"猫|2147483648"},
         {"started", "word 猫 ?", "error '2147483648' is not a valid integer value."}},
        {"no points field", {"猫"}, {"started", "word 猫 ?", "error List index out of bounds (1)."}},
        {"empty play order", {}, {"started", "error List index out of bounds (-1)."}},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        GameFixture f;
        f.dealInOrder(c.library);
        f.game->start();
        const Log events = f.log.since(0);
        const auto started = std::find(events.begin(), events.end(), "started");
        EXPECT_EQ(Log(started, events.end()), c.events);
        EXPECT_FALSE(f.round().countdownRunning);
        EXPECT_EQ(f.round().remainingSeconds, 0);
        EXPECT_EQ(f.game->words().count(), 0u);
    }
}

// At correct and skip a bad points field leaves the next word on display and
// consumed; what comes after the conversion (the credit) is skipped and the
// points on display stay those of the word before.
TEST_F(GameStart, BadPointsDuringTheRound) {
    dealInOrder({"甲|2", "乙|x"});
    start();
    auto before = log.entries.size();
    correct();
    EXPECT_EQ(log.since(before), (Log{"cue yes", "word 乙 ?", "error 'x' is not a valid integer value."}));
    EXPECT_EQ(round().currentPoints, 2);
    EXPECT_EQ(round().score, 0);

    dealInOrder({"甲|2", "乙|2", "丙|2", "丁"});
    start();
    skip();
    skip();
    before = log.entries.size();
    skip();
    EXPECT_EQ(log.since(before), (Log{"cue no", "skip 3 -2", "word 丁 ?", "error List index out of bounds (1)."}));
    EXPECT_EQ(round().skipCount, 3);
    EXPECT_EQ(round().remainingSeconds, 88);
    EXPECT_EQ(round().currentPoints, 2);
}

// The library is read at the first start only; a failed read says why, once,
// and the round does not start; the next start tries again.
TEST_F(GameStart, TheLibraryIsReadOnceAndAFailureStopsTheStart) {
    library().entries = {"猫|1"};
    library().failure = "词库文件 words.xls 不存在。";
    game->start();
    EXPECT_EQ(log.since(0), (Log{"busy", "controls on on", "cue start", "library", "idle",
                                 "error 词库文件 words.xls 不存在。"}));
    EXPECT_EQ(round().phase, RoundPhase::idle);

    library().failure.clear();
    start();
    start();
    EXPECT_EQ(library().loads, 2);
    EXPECT_EQ(round().phase, RoundPhase::running);
}

// While a start loads and shuffles, the game is busy: presses, ticks and a
// second start that reach it from the library's own calls are ignored, and
// every word of the library is dealt exactly once afterwards.
TEST_F(GameStart, InputsDuringAStartAreIgnored) {
    std::vector<std::string> library;
    for (int i = 0; i < 60; ++i) library.push_back("词" + std::to_string(i) + "|1");
    dealInOrder(library);
    this->library().onLoad = [this] {
        EXPECT_TRUE(game->busy());
        game->correct();
        game->skip();
        game->tick();
        game->start();
    };
    game->start();
    EXPECT_EQ(log.since(0), (Log{"busy", "controls on on", "cue start", "library", "idle", "started", "word 词0 1",
                                 "countdown on"}));

    std::vector<std::string> shown = {round().currentWord};
    later();
    while (game->words().count() != 0) {
        correct();
        shown.push_back(round().currentWord);
    }
    std::sort(shown.begin(), shown.end());
    std::vector<std::string> expected;
    for (const auto& entry : library) expected.push_back(entry.substr(0, entry.find('|')));
    std::sort(expected.begin(), expected.end());
    EXPECT_EQ(shown, expected);
}

TEST_F(GameStart, ALoadOrABrowseDuringALoadIsRefused) {
    library().entries = {"猫|1"};
    library().onLoad = [this] {
        library().onLoad = nullptr;
        game->load();
        EXPECT_FALSE(game->browseSheet("动物"));
    };
    game->load();
    EXPECT_EQ(log.since(0, "error"), (Log{"error busy load", "error busy browse"}));
    EXPECT_EQ(library().loads, 1);
    EXPECT_FALSE(game->busy());
    EXPECT_EQ(game->browseSheet("动物")->rows.at(0).at(0), "动物");
}

// Words a load leaves out of play are told once, at the load, also when the
// host opens another library; the round goes on.
TEST_F(GameStart, ALoadThatLeftWordsOutWarnsOnce) {
    library().entries = {"猫|1"};
    library().warning = "有 1 个词太长，没有放进游戏。";
    start();
    start();
    EXPECT_EQ(log.since(0, "warning"), Log{"warning 有 1 个词太长，没有放进游戏。"});
    EXPECT_EQ(round().phase, RoundPhase::running);

    library().files["/主持人/词库.xlsx"] = {"狗|2"};
    library().warning = "有 2 个词条没有放进游戏。";
    game->openLibrary("/主持人/词库.xlsx");
    EXPECT_EQ(log.since(0, "warning").back(), "warning 有 2 个词条没有放进游戏。");
}

// Every view hears every event; one may leave or join while an event is
// being delivered.
TEST_F(GameStart, EveryViewHearsTheGame) {
    EventLog second;
    struct Leaving : EventLog {
        Game* game = nullptr;
        EventLog* joining = nullptr;
        void wordShown(const std::string& word, std::optional<std::int32_t> points) override {
            EventLog::wordShown(word, points);
            game->removeListener(*this);
            game->addListener(*joining);
        }
    } leaving;
    EventLog joining;
    leaving.game = game.get();
    leaving.joining = &joining;
    game->addListener(leaving);
    game->addListener(second);
    dealInOrder({"甲|1", "乙|2"});
    start();
    correct();
    EXPECT_EQ(second.since(0, "word"), (Log{"word 甲 1", "word 乙 2"}));
    EXPECT_EQ(leaving.since(0, "word"), (Log{"word 甲 1"}));
    EXPECT_EQ(joining.since(0, "word"), (Log{"word 乙 2"}));
    game->removeListener(joining);
    game->removeListener(second);
}

// The sound switch silences every cue until it is turned on again.
TEST_F(GameStart, TheSoundSwitch) {
    dealInOrder({"甲|1", "乙|2", "丙|3"});
    start();
    game->setSoundOn(false);
    const auto muted = log.entries.size();
    correct();
    EXPECT_FALSE(game->soundOn());
    EXPECT_TRUE(log.since(muted, "cue").empty());
    game->setSoundOn(true);
    correct();
    EXPECT_EQ(log.since(0, "sound"), (Log{"sound off", "sound on"}));
    EXPECT_EQ(audio->count("yes.mp3"), 1);
}

}  // namespace
}  // namespace caici::testing
