// What a restart finds in the match history: the rounds that count, each
// word as it was played and as the host mended it, the words of every round
// shown, the newest match not yet over, and nothing of a match that is over.

#include "game/match_store.h"
#include "game_fixture.h"
#include "history_folder.h"

#include <gtest/gtest.h>

#include <functional>
#include <set>

namespace caici::testing {
namespace {

// A round as the scoreboard and the export read it: the team, score and
// skips, whether it was closed early, and every word with its points, its
// verdict as played and as reviewed, and the seconds its skip cost.
std::string described(const MatchRound& round) {
    std::string text = "team " + std::to_string(round.team) + ", " + std::to_string(round.score) + " points, " +
                       std::to_string(round.skips) + " skips" + (round.closedEarly ? ", closed early" : "");
    for (const ReviewEntry& entry : round.entries) {
        text += " | " + entry.entry.word + " " + std::to_string(entry.entry.points) + " " + verdictName(entry.asPlayed) + ">" +
                verdictName(entry.verdict);
        if (entry.penalty != 0) text += " -" + std::to_string(entry.penalty) + "s";
    }
    return text;
}

std::vector<std::string> described(const std::vector<MatchRound>& rounds) {
    std::vector<std::string> texts;
    for (const MatchRound& round : rounds) texts.push_back(described(round));
    return texts;
}

// A round of one credited word that runs out, confirmed as played.
void playConfirmedRound(GameFixture& game) {
    game.start(10);
    game.correct();
    game.ticks(10);
    game.game->confirmReview();
}

// The history keeps each round as the host confirmed it: his mending next to
// how the word was played, the seconds a skip cost, a round closed early and
// counted; a round closed early and not counted does not come back, but its
// words stay spent.
TEST(MatchResume, TheRoundsComeBackAsTheHostConfirmedThem) {
    TemporaryFolder folder;
    const std::string path = folder.file("history.db");
    std::vector<std::string> confirmed;
    {
        GameFixture first;
        // Enough words that the rounds deal on without a new shuffle.
        std::vector<WordEntry> words = {{"甲", 1}, {"乙", 2}, {"丙", 3}, {"丁", 4}, {"戊", 5}, {"己", 6}, {"庚", 7}, {"辛", 8}, {"壬", 9}};
        const std::vector<WordEntry> more = numberedWords(60);
        words.insert(words.end(), more.begin(), more.end());
        first.dealInOrder(words);
        first.game->openHistory(path);
        first.game->startMatch({"红队", "蓝队"}, 2);
        // 红队: one credited, three skipped (the third costs 2 s), one on
        // display at the end; the host mends two misclicks.
        first.start(30);
        first.correct();
        for (int i = 0; i < 3; ++i) first.skip();
        first.ticks(30);
        first.game->toggleReviewEntry(1);
        first.game->toggleReviewEntry(0);
        first.game->confirmReview();
        // 蓝队 closes its round early and it does not count; the next one,
        // closed early too, the host counts.
        first.start(30);
        first.correct();
        first.game->close();
        first.game->confirmReview();
        first.start(30);
        first.correct();
        first.game->close();
        first.game->setReviewCounts(true);
        first.game->confirmReview();
        confirmed = described(first.game->match()->rounds());
    }
    const std::vector<std::string> expected = {
        "team 0, 2 points, 2 skips | 甲 1 correct>missed | 乙 2 skipped>correct | 丙 3 skipped>skipped"
        " | 丁 4 skipped>skipped -2s | 戊 5 missed>missed",
        "team 1, 8 points, 0 skips, closed early | 辛 8 correct>correct | 壬 9 missed>missed",
    };
    EXPECT_EQ(confirmed, expected);

    MatchStore store(path);
    const auto match = store.unfinishedMatch();
    ASSERT_TRUE(match);
    EXPECT_EQ(described(match->rounds()), expected);
    EXPECT_EQ(match->passes(), 2);
    EXPECT_EQ(match->nextTeam(), 0);
    EXPECT_EQ(match->pass(), 2);
    EXPECT_EQ(store.playedWords(match->id()),
              (std::set<std::string>{"甲", "乙", "丙", "丁", "戊", "己", "庚", "辛", "壬"}));
}

// Matches left unfinished (a crash, or a new match begun while an old one
// was still on offer): the newest is offered, with its own rounds; one that
// is over never is.
TEST(MatchResume, TheNewestUnfinishedMatchIsOffered) {
    const struct {
        const char* name;
        std::vector<bool> over;  // per match, the oldest first
        int offered;             // which one, or -1 for none
    } cases[] = {
        {"two unfinished", {false, false}, 1},
        {"three unfinished", {false, false, false}, 2},
        {"the newer one over", {false, true}, 0},
        {"the middle one unfinished", {true, false, true}, 1},
        {"all over", {true, true}, -1},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        TemporaryFolder folder;
        const std::string path = folder.file("history.db");
        std::vector<std::int64_t> ids;
        {
            MatchStore store(path);
            for (std::size_t i = 0; i < c.over.size(); ++i) {
                const std::string n = std::to_string(i);
                ids.push_back(store.createMatch({"甲" + n, "乙" + n}, 2));
                const std::int32_t points = static_cast<std::int32_t>(i) + 1;
                store.commitRound(ids.back(),
                                  {0, points, 0, false, {{{"词" + n, points}, Verdict::correct, Verdict::correct, 0}}},
                                  true);
                if (c.over[i]) store.closeMatch(ids.back());
            }
        }
        MatchStore reopened(path);
        const auto match = reopened.unfinishedMatch();
        if (c.offered < 0) {
            EXPECT_FALSE(match) << match->id();
            continue;
        }
        ASSERT_TRUE(match);
        const std::string n = std::to_string(c.offered);
        EXPECT_EQ(match->id(), ids[static_cast<std::size_t>(c.offered)]);
        EXPECT_EQ(match->teams(), (std::vector<std::string>{"甲" + n, "乙" + n}));
        EXPECT_EQ(described(match->rounds()),
                  std::vector<std::string>{"team 0, " + std::to_string(c.offered + 1) + " points, 0 skips | 词" + n +
                                           " " + std::to_string(c.offered + 1) + " correct>correct"});
    }
}

// However a match is over, the next start of the program does not offer it:
// played to its end, given up, let go when it was offered, or put aside for
// a new match that was then played to its end.
TEST(MatchResume, AMatchThatIsOverIsNotOfferedAgain) {
    using Run = std::function<void(GameFixture&)>;
    const struct {
        const char* name;
        std::vector<Run> runs;  // one program run each, on the same history
    } cases[] = {
        {"played to its end",
         {[](GameFixture& g) {
             g.game->startMatch({"红队", "蓝队"}, 1);
             playConfirmedRound(g);
             playConfirmedRound(g);
         }}},
        {"given up",
         {[](GameFixture& g) {
             g.game->startMatch({"红队", "蓝队"}, 2);
             playConfirmedRound(g);
             g.game->endMatch();
         }}},
        {"let go when offered",
         {[](GameFixture& g) {
              g.game->startMatch({"红队", "蓝队"}, 2);
              playConfirmedRound(g);
          },
          [](GameFixture& g) {
              ASSERT_TRUE(g.game->unfinishedMatch());
              g.game->dismissUnfinishedMatch();
          }}},
        {"put aside for a new one played to its end",
         {[](GameFixture& g) {
             g.game->startMatch({"红队", "蓝队"}, 2);
             playConfirmedRound(g);
             g.game->startMatch({"甲队", "乙队"}, 1);
             playConfirmedRound(g);
             playConfirmedRound(g);
         }}},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        TemporaryFolder folder;
        for (const Run& run : c.runs) {
            GameFixture game;
            game.library().entries = numberedWords(60);
            game.game->openHistory(folder.file("history.db"));
            run(game);
        }
        GameFixture next;
        next.game->openHistory(folder.file("history.db"));
        EXPECT_FALSE(next.game->unfinishedMatch());
        EXPECT_EQ(next.log.since(0, "warning"), Log{});
    }
}

}  // namespace
}  // namespace caici::testing
