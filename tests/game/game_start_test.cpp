#include "game_fixture.h"

#include <gtest/gtest.h>

#include <algorithm>

namespace caici::testing {
namespace {

class GameStart : public GameFixture, public ::testing::Test {};

// A start with nothing to deal stops where the failure happens: the window
// is up, the countdown is neither set nor started, and the host is told once,
// with a full stop.
TEST_F(GameStart, AnEmptyPlayOrderStopsTheStart) {
    dealInOrder({});
    game->start();
    const Log events = log.since(0);
    const auto started = std::find(events.begin(), events.end(), "started");
    EXPECT_EQ(Log(started, events.end()), (Log{"started", "error List index out of bounds (-1)."}));
    EXPECT_FALSE(round().countdownRunning);
    EXPECT_EQ(round().remainingSeconds, 0);
}

// The library is read at the first start only; a failed read says why, once,
// and the round does not start; the next start tries again.
TEST_F(GameStart, TheLibraryIsReadOnceAndAFailureStopsTheStart) {
    library().entries = {{"猫", 1}};
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
    const std::vector<WordEntry> library = numberedWords(60);
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

    std::vector<std::string> shown = {round().currentEntry.word};
    later();
    while (game->words().count() != 0) {
        correct();
        shown.push_back(round().currentEntry.word);
    }
    std::sort(shown.begin(), shown.end());
    std::vector<std::string> expected;
    for (const auto& entry : library) expected.push_back(entry.word);
    std::sort(expected.begin(), expected.end());
    EXPECT_EQ(shown, expected);
}

TEST_F(GameStart, ALoadOrABrowseDuringALoadIsRefused) {
    library().entries = {{"猫", 1}};
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
    library().entries = {{"猫", 1}};
    library().warning = "有 1 个词太长，没有放进游戏。";
    start();
    start();
    EXPECT_EQ(log.since(0, "warning"), Log{"warning 有 1 个词太长，没有放进游戏。"});
    EXPECT_EQ(round().phase, RoundPhase::running);

    library().files["/主持人/词库.xlsx"] = {{"狗", 2}};
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
        void wordShown(const WordEntry& entry) override {
            EventLog::wordShown(entry);
            game->removeListener(*this);
            game->addListener(*joining);
        }
    } leaving;
    EventLog joining;
    leaving.game = game.get();
    leaving.joining = &joining;
    game->addListener(leaving);
    game->addListener(second);
    dealInOrder({{"甲", 1}, {"乙", 2}});
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
    dealInOrder({{"甲", 1}, {"乙", 2}, {"丙", 3}});
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
