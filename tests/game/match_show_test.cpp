// A match as a show: the end by target score with equal turns, tie-break
// rounds until a team is ahead, the final for double points, the actors in
// turn, the awards, and the set-up's checks. Matches are built from rounds
// as the game adds them.

#include "game/match.h"

#include <gtest/gtest.h>

#include <optional>
#include <string>
#include <vector>

namespace caici {
namespace {

MatchSetup setupOf(std::vector<std::string> names, MatchRules rules = {},
                   std::vector<std::vector<std::string>> players = {}) {
    MatchSetup setup;
    for (std::size_t i = 0; i < names.size(); ++i) {
        setup.teams.push_back({names[i], i % teamPaletteSize, i < players.size() ? players[i] : std::vector<std::string>{}});
    }
    setup.rules = std::move(rules);
    return setup;
}

// Plays the match's next round with this score and these skips, as the game
// would: the team, stage, kind and actor are the match's own.
void play(Match& match, std::int64_t score, std::int32_t skips = 0, std::vector<ReviewEntry> entries = {}) {
    const auto next = match.next();
    ASSERT_TRUE(next);
    MatchRound round{next->team, score, skips, false, std::move(entries)};
    round.stage = next->stage;
    round.kind = next->kind;
    round.actor = next->actor;
    match.add(std::move(round));
}

std::string stageName(MatchStage stage) {
    switch (stage) {
    case MatchStage::regular: return "regular";
    case MatchStage::tieBreak: return "tie-break";
    case MatchStage::final: return "final";
    }
    return {};
}

// What comes next, as "team 1 regular" or "over".
std::string nextOf(const Match& match) {
    const auto next = match.next();
    if (!next) return "over";
    return "team " + std::to_string(next->team) + " " + stageName(next->stage);
}

std::vector<std::string> namesInOrder(const Match& match) {
    std::vector<std::string> names;
    for (const Standing& team : match.standings()) {
        names.push_back(team.name + " " + std::to_string(team.rank) + (team.tied ? "=" : ""));
    }
    return names;
}

// A target score ends the regular stage only at the end of a pass, so every
// team has played as often as the others; a pass where nobody reached it
// goes on.
TEST(MatchShow, ATargetScoreEndsAtTheEndOfAPassWithEqualTurns) {
    const struct {
        const char* name;
        std::vector<std::int64_t> scores;  // regular rounds in turn
        std::size_t regularRounds;        // after which the regular stage is over
    } cases[] = {
        {"the first team reaches it at once", {6, 0, 1}, 3},
        {"the last team reaches it", {1, 2, 6}, 3},
        {"nobody in the first pass", {2, 2, 2, 4, 1, 5}, 6},
        {"above the target counts too", {9, 9, 0}, 3},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        MatchRules rules;
        rules.end = MatchEnd::targetScore;
        rules.targetScore = 6;
        Match match(1, setupOf({"甲", "乙", "丙"}, rules));
        for (std::size_t i = 0; i < c.scores.size(); ++i) {
            ASSERT_EQ(nextOf(match), "team " + std::to_string(i % 3) + " regular") << i;
            // A skip for the later teams keeps the standings clear of ties.
            play(match, c.scores[i], static_cast<std::int32_t>(i % 3));
        }
        EXPECT_EQ(match.rounds().size(), c.regularRounds);
        EXPECT_EQ(nextOf(match), "over");
    }
}

// Teams tied for first after the regular stage play a tie-break round each,
// in team order and on a shorter countdown, until one is ahead; a tie-break
// that ties again is played again. Tie-break rounds order the tied teams
// and add nothing to their totals.
TEST(MatchShow, TieBreakRoundsUntilOneTeamIsAhead) {
    Match match(1, setupOf({"甲", "乙", "丙"}, MatchRules{{}, false, MatchEnd::passes, 1}));
    play(match, 5);
    play(match, 2);
    play(match, 5);
    const auto next = match.next();
    ASSERT_TRUE(next);
    EXPECT_EQ(next->stage, MatchStage::tieBreak);
    EXPECT_EQ(next->team, 0);
    EXPECT_TRUE(next->shortCountdown);
    EXPECT_FALSE(next->doublePoints);
    EXPECT_EQ(next->pass, 2);
    EXPECT_EQ(namesInOrder(match), (std::vector<std::string>{"甲 1=", "丙 1=", "乙 3"}));

    play(match, 3, 1);
    EXPECT_EQ(nextOf(match), "team 2 tie-break");
    play(match, 3, 1);  // the same again: another tie-break
    EXPECT_EQ(nextOf(match), "team 0 tie-break");
    play(match, 1);
    EXPECT_EQ(nextOf(match), "team 2 tie-break");
    play(match, 2);
    EXPECT_EQ(nextOf(match), "over");

    const auto standings = match.standings();
    EXPECT_EQ(namesInOrder(match), (std::vector<std::string>{"丙 1", "甲 2", "乙 3"}));
    EXPECT_EQ(standings[0].score, 5);
    EXPECT_EQ(standings[0].skips, 0);
    EXPECT_EQ(standings[0].rounds, 3);
}

// The final: after the regular stage (and tie-breaks for a place in it when
// teams are tied across the second place), the top two play one round each,
// the lower placed first, for double points that count in the totals; a tie
// for first after it goes to tie-break rounds between the two.
TEST(MatchShow, TheFinalOfTheTopTwo) {
    const struct {
        const char* name;
        std::vector<std::int64_t> regular;
        std::vector<std::pair<std::string, std::int64_t>> then;  // expected next, score played
        std::vector<std::string> standings;
    } cases[] = {
        {"clear places",
         {6, 4, 2},
         {{"team 1 final", 8}, {"team 0 final", 2}},
         {"乙 1", "甲 2", "丙 3"}},
        {"tied for second: a tie-break first",
         {6, 4, 4},
         {{"team 1 tie-break", 1}, {"team 2 tie-break", 3}, {"team 2 final", 4}, {"team 0 final", 0}},
         {"丙 1", "甲 2", "乙 3"}},
        {"tied after the final: a tie-break of the two",
         {6, 4, 2},
         {{"team 1 final", 4}, {"team 0 final", 2}, {"team 0 tie-break", 1}, {"team 1 tie-break", 2}},
         {"乙 1", "甲 2", "丙 3"}},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        MatchRules rules;
        rules.passes = 1;
        rules.final = true;
        Match match(1, setupOf({"甲", "乙", "丙"}, rules));
        for (const std::int64_t score : c.regular) play(match, score);
        for (const auto& [expected, score] : c.then) {
            ASSERT_EQ(nextOf(match), expected);
            const auto next = match.next();
            EXPECT_EQ(next->doublePoints, next->stage == MatchStage::final);
            EXPECT_TRUE(next->shortCountdown);
            play(match, score);
        }
        EXPECT_EQ(nextOf(match), "over");
        EXPECT_EQ(namesInOrder(match), c.standings);
    }
}

// The k-th round of a team (every round it plays, tie-breaks included) is
// acted by its k-th player, round and round; a team without players has no
// actor.
TEST(MatchShow, TheActorsTakeTurnsWithinTheirTeam) {
    Match match(1, setupOf({"甲", "乙"}, MatchRules{{}, false, MatchEnd::passes, 3}, {{"阿", "波", "车"}, {}}));
    std::vector<std::string> actors;
    for (const std::int64_t score : {1, 1, 1, 1, 1, 1, 2, 2, 3, 1}) {
        actors.push_back(match.next()->actor);
        play(match, score);
    }
    EXPECT_EQ(nextOf(match), "over");
    EXPECT_EQ(actors, (std::vector<std::string>{"阿", "", "波", "", "车", "", "阿", "", "波", ""}));
}

ReviewEntry correctIn(std::int64_t milliseconds) {
    return {{"词", 1}, Verdict::correct, Verdict::correct, 0, 0, milliseconds};
}

// 最佳表演 goes to the most points acted (every player with that many);
// 神速 to the shortest median time to 正确 among players with at least five
// such words; nothing without named players.
TEST(MatchShow, AwardsWithTiesAndTheFiveWordMinimum) {
    MatchRules rules;
    rules.passes = 2;
    Match match(1, setupOf({"甲", "乙"}, rules, {{"阿", "波"}, {"车"}}));
    const std::vector<ReviewEntry> quick(5, correctIn(1000));
    std::vector<ReviewEntry> quicker(4, correctIn(500));  // four only: too few
    std::vector<ReviewEntry> slower = {correctIn(900), correctIn(1100), correctIn(1000), correctIn(4000),
                                       correctIn(200), correctIn(1000)};
    play(match, 5, 0, quick);    // 阿
    play(match, 5, 1, slower);   // 车
    play(match, 3, 0, quicker);  // 波
    play(match, 5, 0, {});       // 车 again: 10 in all

    Awards awards = match.awards();
    ASSERT_EQ(awards.bestActor.size(), 1u);
    EXPECT_EQ(awards.bestActor[0].player, "车");
    EXPECT_EQ(awards.bestActor[0].team, 1);
    EXPECT_EQ(awards.bestActor[0].points, 10);
    // 车's six times have the median (1000 + 1000) / 2; 阿's five 1000 too.
    ASSERT_EQ(awards.fastest.size(), 2u);
    EXPECT_EQ(awards.fastest[0].player, "阿");
    EXPECT_EQ(awards.fastest[1].player, "车");
    EXPECT_EQ(awards.fastest[1].medianMilliseconds, 1000);

    Match plain(2, {"甲", "乙"}, 1);
    plain.add({0, 3, 0, false, quick});
    EXPECT_TRUE(plain.awards().bestActor.empty());
    EXPECT_TRUE(plain.awards().fastest.empty());
}

// A set-up the dialog must refuse, with the team and the player at fault.
TEST(MatchShow, SetUpProblems) {
    using Fault = MatchSetupProblem::Fault;
    const struct {
        const char* name;
        std::int64_t target;
        std::vector<RoundKind> kinds;
        bool wordsHaveForbidden;
        std::vector<std::string> players;  // of the second team
        std::optional<Fault> fault;
        std::size_t player;
    } cases[] = {
        {"fine", 6, {RoundKind::describe, RoundKind::act}, false, {"阿", "波"}, std::nullopt, 0},
        {"target 0", 0, {}, true, {}, Fault::targetScore, 0},
        {"target 1000", 1000, {}, true, {}, Fault::targetScore, 0},
        {"target 999", 999, {}, true, {}, std::nullopt, 0},
        {"禁词 without forbidden words", 6, {RoundKind::describe, RoundKind::forbidden}, false, {}, Fault::forbiddenWithoutWords, 0},
        {"禁词 with forbidden words", 6, {RoundKind::forbidden}, true, {}, std::nullopt, 0},
        {"an empty name", 6, {}, true, {"阿", ""}, Fault::playerEmpty, 1},
        {"blanks only", 6, {}, true, {"\u3000"}, Fault::playerEmpty, 0},
        {"too long", 6, {}, true, {"一二三四五六七八九十一二三四五六七"}, Fault::playerTooLong, 0},
        {"twice, case aside", 6, {}, true, {"Ann", "ann"}, Fault::playerDuplicate, 1},
        {"thirteen", 6, {}, true, std::vector<std::string>{"1", "2", "3", "4", "5", "6", "7", "8", "9", "10", "11", "12", "13"},
         Fault::tooManyPlayers, 12},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        MatchRules rules;
        rules.end = MatchEnd::targetScore;
        rules.targetScore = c.target;
        rules.kinds = c.kinds;
        const auto problem = matchSetupProblem(setupOf({"甲", "乙"}, rules, {{}, c.players}), c.wordsHaveForbidden);
        ASSERT_EQ(problem.has_value(), c.fault.has_value());
        if (!problem) continue;
        EXPECT_EQ(problem->fault, *c.fault);
        if (*c.fault >= Fault::playerEmpty) {
            EXPECT_EQ(problem->team, 1u);
            EXPECT_EQ(problem->player, c.player);
        }
    }
}

}  // namespace
}  // namespace caici
