// A match played through the game and kept in a real history file: the
// review before a round counts, resuming after a crash, no word twice in a
// match across a restart or a new deal, the end of a match, and a history
// that cannot be kept.

#include "game/match_store.h"
#include "game_fixture.h"
#include "history_folder.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <set>

#include <signal.h>
#include <sys/wait.h>
#include <unistd.h>

namespace caici::testing {
namespace {

namespace fs = std::filesystem;

class MatchGame : public GameFixture, public ::testing::Test {
protected:
    MatchGame() {
        library().entries = numberedWords(120);
        game->openHistory(folder.file("history.db"));
    }
    // A whole round: words answered, then the time runs out.
    void playRound(int correct, int skips) {
        start(30);
        for (int i = 0; i < correct; ++i) this->correct();
        for (int i = 0; i < skips; ++i) skip();
        ticks(30);
    }
    std::vector<std::string> shownWords() const {
        std::vector<std::string> words;
        for (const auto& line : game->review()->entries()) words.push_back(line.entry.word);
        return words;
    }

    TemporaryFolder folder;
};

// After a round the host reviews it: a toggled misclick changes what goes
// into the match, and the next team's turn follows the confirmation.
TEST_F(MatchGame, TheReviewedRoundGoesIntoTheMatch) {
    game->startMatch({"红队", "蓝队"}, 1);
    ASSERT_TRUE(game->match());
    EXPECT_EQ(game->nextTeam(), 0);
    playRound(2, 1);
    ASSERT_TRUE(game->review());
    EXPECT_EQ(game->review()->team(), 0);
    EXPECT_EQ(game->review()->entries().size(), 4u);  // two credited, one skipped, one on display
    EXPECT_EQ(game->review()->total(), round().score);
    const std::int32_t lastPoints = game->review()->entries()[3].entry.points;
    game->toggleReviewEntry(3);
    game->confirmReview();
    EXPECT_FALSE(game->review());
    const auto standings = game->match()->standings();
    EXPECT_EQ(standings[0].name, "红队");
    EXPECT_EQ(standings[0].score, round().score + lastPoints);
    EXPECT_EQ(standings[0].skips, 1);
    EXPECT_EQ(game->nextTeam(), 1);
}

// A round closed early goes into the match only if the host says so; a round
// left unconfirmed goes in as reviewed when the next one starts.
TEST_F(MatchGame, ARoundClosedEarlyAndAnUnconfirmedReview) {
    game->startMatch({"红队", "蓝队"}, 1);
    start(60);
    correct();
    game->close();
    ASSERT_TRUE(game->review());
    EXPECT_TRUE(game->review()->closedEarly());
    game->confirmReview();
    EXPECT_TRUE(game->match()->rounds().empty());
    EXPECT_EQ(game->nextTeam(), 0) << "the team plays its round again";

    start(60);
    correct();
    game->close();
    game->setReviewCounts(true);
    game->confirmReview();
    EXPECT_EQ(game->match()->rounds().size(), 1u);

    playRound(1, 0);
    start(30);
    EXPECT_EQ(game->match()->rounds().size(), 2u);
}

// A review left unconfirmed goes into the match as it stands when the next
// round starts, whichever team played it.
TEST_F(MatchGame, EveryTeamsUnconfirmedReviewGoesInAtTheNextStart) {
    game->startMatch({"红队", "蓝队"}, 2);
    for (const int team : {0, 1, 0}) {
        playRound(1, 0);
        ASSERT_TRUE(game->review());
        EXPECT_EQ(game->review()->team(), team);
    }
    start(30);
    ASSERT_EQ(game->match()->rounds().size(), 3u);
    for (std::size_t i = 0; i < 3; ++i) EXPECT_EQ(game->match()->rounds()[i].team, static_cast<int>(i % 2)) << i;
}

// Closing the round's window after its time ran out cuts nothing short: the
// review stays that of a whole round, and it counts.
TEST_F(MatchGame, ClosingTheWindowAfterTheTimeRanOutKeepsTheReview) {
    game->startMatch({"红队", "蓝队"}, 1);
    playRound(2, 0);
    game->close();
    ASSERT_TRUE(game->review());
    EXPECT_FALSE(game->review()->closedEarly());
    EXPECT_TRUE(game->review()->counts());
    game->confirmReview();
    EXPECT_EQ(game->match()->rounds().size(), 1u);
}

// A match played to its end gives way at the next start: the round after it
// is a single round, outside any match.
TEST_F(MatchGame, AMatchPlayedToItsEndGivesWayToSingleRounds) {
    game->startMatch({"红队", "蓝队"}, 1);
    // The second team skips once more, so that no tie-break follows.
    for (int team = 0; team < 2; ++team) {
        playRound(1, team);
        game->confirmReview();
    }
    EXPECT_EQ(game->nextTeam(), -1);
    ASSERT_TRUE(game->match());
    EXPECT_TRUE(game->match()->finished()) << "the scoreboard shows the result until the next start";

    playRound(1, 0);
    EXPECT_FALSE(game->match());
    EXPECT_EQ(game->roundTeam(), -1);
    ASSERT_TRUE(game->review());
    EXPECT_EQ(game->review()->team(), -1);
}

// Within one run too: when the play order is dealt anew for the match's next
// round, the words its rounds have shown stay out.
TEST_F(MatchGame, NoWordTwiceInAMatchWhenThePlayOrderIsDealtAnew) {
    library().entries = numberedWords(60);
    game->startMatch({"红队", "蓝队"}, 2);
    playRound(20, 0);
    const std::vector<std::string> firstRound = shownWords();
    game->confirmReview();
    ASSERT_LT(game->words().count(), WordLists::refillThreshold) << "the next start deals anew";

    start(30);
    std::set<std::string> dealt = {round().currentEntry.word};
    while (game->words().count() != 0) {
        correct();
        dealt.insert(round().currentEntry.word);
    }
    for (const auto& word : firstRound) EXPECT_EQ(dealt.count(word), 0u) << word;
    EXPECT_EQ(dealt.size() + firstRound.size(), 60u);
}

// Killed between two commits, the program loses nothing that was confirmed:
// the next start offers the match where it stood.
TEST(MatchHistory, ACrashBetweenTwoCommitsLosesNothingConfirmed) {
    TemporaryFolder folder;
    const std::string path = folder.file("history.db");
    const pid_t child = ::fork();
    ASSERT_GE(child, 0);
    if (child == 0) {
        MatchStore store(path);
        const std::int64_t match = store.createMatch({"红队", "蓝队", "绿队"}, 2);
        store.commitRound(match, {0, 5, 1, false, {{{"大象", 2}, Verdict::correct, Verdict::correct, 0}}}, true);
        store.commitRound(match, {1, 3, 0, false, {{{"长颈鹿", 3}, Verdict::correct, Verdict::correct, 0}}}, true);
        ::kill(::getpid(), SIGKILL);
    }
    int status = 0;
    ::waitpid(child, &status, 0);
    ASSERT_TRUE(WIFSIGNALED(status));

    MatchStore store(path);
    const auto match = store.unfinishedMatch();
    ASSERT_TRUE(match);
    EXPECT_EQ(match->teams(), (std::vector<std::string>{"红队", "蓝队", "绿队"}));
    EXPECT_EQ(match->rounds().size(), 2u);
    EXPECT_EQ(match->nextTeam(), 2);
    EXPECT_EQ(match->standings()[0].name, "红队");
    EXPECT_EQ(store.playedWords(match->id()), (std::set<std::string>{"大象", "长颈鹿"}));
}

// Resumed after a restart, the match deals no word it has already shown.
TEST(MatchHistory, NoWordTwiceInAMatchAcrossARestart) {
    TemporaryFolder folder;
    std::vector<std::string> firstRound;
    {
        GameFixture first;
        first.library().entries = numberedWords(60);
        first.game->openHistory(folder.file("history.db"));
        first.game->startMatch({"红队", "蓝队"}, 3);
        first.start(30);
        for (int i = 0; i < 20; ++i) first.correct();
        first.ticks(30);
        for (const auto& line : first.game->review()->entries()) firstRound.push_back(line.entry.word);
        first.game->confirmReview();
    }
    GameFixture second;
    second.library().entries = numberedWords(60);
    second.game->openHistory(folder.file("history.db"));
    ASSERT_TRUE(second.game->unfinishedMatch());
    second.game->resumeMatch();
    EXPECT_EQ(second.game->nextTeam(), 1);
    second.start(30);
    std::set<std::string> dealt = {second.round().currentEntry.word};
    while (second.game->words().count() != 0) {
        second.correct();
        dealt.insert(second.round().currentEntry.word);
    }
    for (const auto& word : firstRound) EXPECT_EQ(dealt.count(word), 0u) << word;
    EXPECT_EQ(dealt.size() + firstRound.size(), 60u);
}

// A round begun (from a phone) before the host takes up the match offered at
// the start leaves a play order dealt without the match in mind: taking the
// match up deals anew, without the words the match has shown.
TEST(MatchHistory, ARoundPlayedBeforeTheMatchIsTakenUpDealsNoneOfItsWords) {
    TemporaryFolder folder;
    std::vector<std::string> matchWords;
    {
        GameFixture first;
        first.library().entries = numberedWords(120);
        first.game->openHistory(folder.file("history.db"));
        first.game->startMatch({"红队", "蓝队"}, 2);
        first.start(30);
        for (int i = 0; i < 10; ++i) first.correct();
        first.ticks(30);
        for (const auto& line : first.game->review()->entries()) matchWords.push_back(line.entry.word);
        first.game->confirmReview();
    }
    GameFixture second;
    second.library().entries = numberedWords(120);
    second.game->openHistory(folder.file("history.db"));
    second.start(30);
    second.ticks(30);
    second.game->confirmReview();
    second.game->resumeMatch();
    ASSERT_EQ(second.game->nextTeam(), 1);
    second.start(30);
    std::set<std::string> dealt = {second.round().currentEntry.word};
    while (second.game->words().count() != 0) {
        second.correct();
        dealt.insert(second.round().currentEntry.word);
    }
    for (const auto& word : matchWords) EXPECT_EQ(dealt.count(word), 0u) << word;
}

// A history that cannot be written is told once; the match goes on in
// memory. A damaged file is moved aside, never overwritten.
TEST(MatchHistory, AHistoryThatCannotBeKept) {
    TemporaryFolder folder;
    {
        std::ofstream(folder.file("not-a-folder")) << "x";
        GameFixture game;
        game.library().entries = numberedWords(10);
        game.game->openHistory(folder.file("not-a-folder") + "/history.db");
        EXPECT_EQ(game.log.since(0, "warning").size(), 1u);
        game.game->startMatch({"红队", "蓝队"}, 1);
        game.start(10);
        game.ticks(10);
        game.game->confirmReview();
        EXPECT_EQ(game.game->match()->rounds().size(), 1u);
        EXPECT_EQ(game.log.since(0, "warning").size(), 1u);
    }
    const std::string damaged = "这不是比赛记录，只是一段文字，文件头坏了。这不是比赛记录，只是一段文字。";
    std::ofstream(folder.file("history.db")) << damaged << damaged << damaged;
    GameFixture game;
    game.game->openHistory(folder.file("history.db"));
    const auto warnings = game.log.since(0, "warning");
    ASSERT_EQ(warnings.size(), 1u);
    EXPECT_EQ(warnings[0].rfind("warning history moved to " + folder.file("history.db.damaged-"), 0), 0u)
        << warnings[0];
    int aside = 0;
    for (const auto& file : fs::directory_iterator(folder.path)) {
        if (file.path().filename().string().find("history.db.damaged-") == 0) {
            ++aside;
            std::ifstream in(file.path());
            std::string kept((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
            EXPECT_EQ(kept, damaged + damaged + damaged);
        }
    }
    EXPECT_EQ(aside, 1);
    game.game->startMatch({"红队", "蓝队"}, 1);
    EXPECT_NE(game.game->match()->id(), 0);
}

}  // namespace
}  // namespace caici::testing
