// A show's match in the history file: a restart after kill -9 takes it up
// with its kinds, its target, its tie-break or final, its colours, its
// actors and the time of every word; a history of an older version opens.

#include "game/history_database.h"
#include "game/match_store.h"
#include "game_fixture.h"
#include "history_folder.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace caici::testing {
namespace {

MatchSetup showSetup() {
    MatchSetup setup;
    setup.teams = {{"红队", 5, {"阿", "波"}}, {"蓝队", 2, {"车"}}, {"绿队", 7, {}}};
    setup.rules.kinds = {RoundKind::describe, RoundKind::act};
    setup.rules.sameWords = true;
    setup.rules.end = MatchEnd::targetScore;
    setup.rules.targetScore = 6;
    setup.rules.final = true;
    return setup;
}

// Adds the match's next round with score and skips, as the game does.
void playNext(Match& match, std::int64_t score, std::int32_t skips, std::int64_t milliseconds) {
    const NextRound next = *match.next();
    MatchRound round{next.team, score, skips, false,
                     {{{"词" + std::to_string(match.rounds().size()), 1}, Verdict::correct, Verdict::correct, 0, 0,
                       milliseconds},
                      {{"末", 2}, Verdict::missed, Verdict::missed, 0}}};
    round.stage = next.stage;
    round.kind = next.kind;
    round.actor = next.actor;
    match.add(std::move(round));
}

std::string nextText(const std::optional<NextRound>& next) {
    if (!next) return "over";
    return "team " + std::to_string(next->team) + " pass " + std::to_string(next->pass) + " stage " +
           std::to_string(static_cast<int>(next->stage)) + " kind " + std::to_string(static_cast<int>(next->kind)) +
           " actor " + next->actor + (next->doublePoints ? " double" : "") + (next->shortCountdown ? " short" : "");
}

// Whatever state the match was in, it comes back in the same one.
TEST(ShowHistory, AResumedMatchContinuesInEveryState) {
    const struct {
        const char* name;
        std::vector<std::int64_t> scores;
        const char* next;
    } cases[] = {
        {"the regular stage, second pass", {2, 3, 1, 3}, "team 1 pass 2 stage 0 kind 1 actor 车"},
        {"tied for the final places", {6, 4, 4}, "team 1 pass 2 stage 1 kind 0 actor 车 short"},
        {"the final", {6, 4, 4, 1, 3}, "team 2 pass 2 stage 2 kind 0 actor  double short"},
        {"tied after the final", {6, 4, 4, 1, 3, 4, 2}, "team 0 pass 2 stage 1 kind 0 actor 阿 short"},
        {"over", {6, 4, 4, 1, 3, 4, 0}, "over"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        TemporaryFolder folder;
        const std::string path = folder.file("history.db");
        Match played(0, showSetup());
        {
            MatchStore store(path);
            played = Match(store.createMatch(showSetup()), showSetup());
            for (std::size_t i = 0; i < c.scores.size(); ++i) {
                playNext(played, c.scores[i], 0, 1000 + static_cast<std::int64_t>(i));
                store.commitRound(played.id(), played.rounds().back(), true);
            }
        }
        EXPECT_EQ(nextText(played.next()), c.next);

        const auto resumed = MatchStore(path).unfinishedMatch();
        ASSERT_TRUE(resumed);
        EXPECT_EQ(nextText(resumed->next()), c.next);
        const MatchRules& rules = resumed->rules();
        EXPECT_EQ(rules.kinds, showSetup().rules.kinds);
        EXPECT_TRUE(rules.sameWords);
        EXPECT_EQ(rules.end, MatchEnd::targetScore);
        EXPECT_EQ(rules.targetScore, 6);
        EXPECT_TRUE(rules.final);
        ASSERT_EQ(resumed->setup().teams.size(), 3u);
        for (std::size_t team = 0; team < 3; ++team) {
            EXPECT_EQ(resumed->setup().teams[team].colour, showSetup().teams[team].colour);
            EXPECT_EQ(resumed->setup().teams[team].players, showSetup().teams[team].players);
        }
        ASSERT_EQ(resumed->rounds().size(), played.rounds().size());
        for (std::size_t i = 0; i < played.rounds().size(); ++i) {
            const MatchRound& back = resumed->rounds()[i];
            EXPECT_EQ(back.stage, played.rounds()[i].stage) << i;
            EXPECT_EQ(back.kind, played.rounds()[i].kind) << i;
            EXPECT_EQ(back.actor, played.rounds()[i].actor) << i;
            EXPECT_EQ(back.entries[0].milliseconds, 1000 + static_cast<std::int64_t>(i)) << i;
            EXPECT_EQ(back.entries[1].milliseconds, std::nullopt) << i;
        }
        const auto standings = resumed->standings();
        const auto expected = played.standings();
        for (std::size_t i = 0; i < standings.size(); ++i) {
            EXPECT_EQ(standings[i].team, expected[i].team) << i;
            EXPECT_EQ(standings[i].rank, expected[i].rank) << i;
        }
    }
}

// A history written before the show: its tables lack the new columns. It
// opens as it is, offers its match as a match of plain passes, and takes
// new rounds with everything they carry.
TEST(ShowHistory, AnOlderHistoryFileStillOpens) {
    TemporaryFolder folder;
    const std::string path = folder.file("history.db");
    {
        HistoryDatabase old(path);
        old.execute(
            "CREATE TABLE matches(id INTEGER PRIMARY KEY, created TEXT NOT NULL,"
            " passes INTEGER NOT NULL, closed INTEGER NOT NULL DEFAULT 0);"
            "CREATE TABLE teams(match INTEGER NOT NULL REFERENCES matches(id), place INTEGER NOT NULL,"
            " name TEXT NOT NULL, PRIMARY KEY(match, place));"
            "CREATE TABLE rounds(id INTEGER PRIMARY KEY, match INTEGER NOT NULL REFERENCES matches(id),"
            " team INTEGER NOT NULL, score INTEGER NOT NULL, skips INTEGER NOT NULL, closed_early INTEGER NOT NULL,"
            " counted INTEGER NOT NULL, committed TEXT NOT NULL);"
            "CREATE TABLE entries(round INTEGER NOT NULL REFERENCES rounds(id), place INTEGER NOT NULL,"
            " word TEXT NOT NULL, points INTEGER NOT NULL, as_played TEXT NOT NULL, verdict TEXT NOT NULL,"
            " penalty INTEGER NOT NULL, PRIMARY KEY(round, place));"
            "INSERT INTO matches(id, created, passes) VALUES(7, '2026-01-01 20:00:00', 2);"
            "INSERT INTO teams VALUES(7, 0, '红队'), (7, 1, '蓝队'), (7, 2, '绿队');"
            "INSERT INTO rounds VALUES(1, 7, 0, 3, 1, 0, 1, '2026-01-01 20:05:00');"
            "INSERT INTO entries VALUES(1, 0, '大象', 3, 'correct', 'correct', 0),"
            " (1, 1, '猫', 1, 'skipped', 'skipped', 0);");
    }
    MatchStore store(path);
    EXPECT_FALSE(store.movedAside());
    const auto match = store.unfinishedMatch();
    ASSERT_TRUE(match);
    EXPECT_EQ(match->id(), 7);
    EXPECT_EQ(match->teams(), (std::vector<std::string>{"红队", "蓝队", "绿队"}));
    EXPECT_EQ(match->rules().end, MatchEnd::passes);
    EXPECT_EQ(match->passes(), 2);
    EXPECT_TRUE(match->rules().kinds.empty());
    EXPECT_EQ(match->setup().teams[2].colour, 2u);
    ASSERT_EQ(match->rounds().size(), 1u);
    EXPECT_EQ(match->rounds()[0].stage, MatchStage::regular);
    EXPECT_EQ(match->rounds()[0].entries[0].milliseconds, std::nullopt);
    EXPECT_EQ(nextText(match->next()), "team 1 pass 1 stage 0 kind 0 actor ");

    MatchRound next{1, 2, 0, false, {{{"狗", 2}, Verdict::correct, Verdict::correct, 0, 0, 1500}}};
    next.actor = "车";
    store.commitRound(7, next, true);
    const auto again = MatchStore(path).unfinishedMatch();
    ASSERT_TRUE(again);
    ASSERT_EQ(again->rounds().size(), 2u);
    EXPECT_EQ(again->rounds()[1].actor, "车");
    EXPECT_EQ(again->rounds()[1].entries[0].milliseconds, 1500);
}

// The game takes a resumed match up where it stopped: the next round's card
// names the team, the actor and the kind of the pass.
TEST(ShowHistory, TheGameResumesWithTheActorAndKind) {
    TemporaryFolder folder;
    const std::string path = folder.file("history.db");
    {
        MatchStore store(path);
        Match match(store.createMatch(showSetup()), showSetup());
        for (const std::int64_t score : {2, 3, 1, 3}) {
            playNext(match, score, 0, 900);
            store.commitRound(match.id(), match.rounds().back(), true);
        }
    }
    GameFixture game;
    game.library().entries = numberedWords(120);
    game.game->openHistory(path);
    game.game->resumeMatch();
    ASSERT_TRUE(game.game->match());
    const std::size_t mark = game.log.entries.size();
    game.start(30);
    EXPECT_EQ(game.log.since(mark, "card"), Log{"card 1 team 1 车"});
}

}  // namespace
}  // namespace caici::testing
