// A match's rules: the names teams may have, the standings with ties broken
// by skips, and a round's review with the host's corrections.

#include "game/match.h"
#include "game/review.h"

#include <gtest/gtest.h>

#include <optional>
#include <string>
#include <vector>

namespace caici {
namespace {

// Higher score first; equal scores, fewer skips first; equal in both, the
// same rank, shown as a tie, and the next rank skips the shared places.
TEST(MatchStandings, RankByScoreThenSkipsWithTies) {
    const std::vector<Standing> teams = {
        {0, "红队", 12, 3, 2}, {1, "蓝队", 15, 4, 2}, {2, "绿队", 12, 1, 2},
        {3, "黄队", 12, 3, 2}, {4, "紫队", 0, 0, 2},
    };
    const auto ranked = rankTeams(teams);
    const struct {
        const char* name;
        int rank;
        bool tied;
    } expected[] = {{"蓝队", 1, false}, {"绿队", 2, false}, {"红队", 3, true}, {"黄队", 3, true}, {"紫队", 5, false}};
    ASSERT_EQ(ranked.size(), 5u);
    for (std::size_t i = 0; i < ranked.size(); ++i) {
        EXPECT_EQ(ranked[i].name, expected[i].name) << i;
        EXPECT_EQ(ranked[i].rank, expected[i].rank) << i;
        EXPECT_EQ(ranked[i].tied, expected[i].tied) << i;
    }
}

// Turns go round the teams, pass after pass; the standings add up the
// counted rounds.
TEST(MatchStandings, TurnsAndTotals) {
    Match match(1, {"甲", "乙", "丙"}, 2);
    EXPECT_EQ(match.nextTeam(), 0);
    const std::pair<int, int> rounds[] = {{5, 1}, {7, 0}, {5, 1}, {3, 2}, {1, 0}, {3, 0}};
    for (const auto& [score, skips] : rounds) {
        EXPECT_FALSE(match.finished());
        match.add({match.nextTeam(), score, skips, false, {}});
    }
    EXPECT_TRUE(match.finished());
    // All three score 8; the skips decide.
    const auto standings = match.standings();
    ASSERT_EQ(standings.size(), 3u);
    EXPECT_EQ(standings[0].name, "乙");
    EXPECT_EQ(standings[0].skips, 0);
    EXPECT_EQ(standings[1].name, "丙");
    EXPECT_EQ(standings[1].skips, 1);
    EXPECT_EQ(standings[2].name, "甲");
    EXPECT_EQ(standings[2].skips, 3);
    EXPECT_EQ(standings[2].score, 8);
    EXPECT_EQ(standings[2].rounds, 2);
}

TEST(TeamNames, RefusedWithTheNameAtFault) {
    using Fault = TeamNamesProblem::Fault;
    const struct {
        std::vector<std::string> names;
        std::optional<Fault> fault;  // nothing: accepted
        std::size_t team;
    } cases[] = {
        {{"红队", "蓝队"}, std::nullopt, 0},
        {{"<Title1>", "Team B"}, std::nullopt, 0},
        {{"红队"}, Fault::teamCount, 1},
        {std::vector<std::string>(13, "队"), Fault::teamCount, 13},
        {{"红队", ""}, Fault::empty, 1},
        {{"  ", "蓝队"}, Fault::blanksOnly, 0},
        {{"\u3000\u3000", "蓝队"}, Fault::blanksOnly, 0},
        {{"红队", "一二三四五六七八九十一二三四五六七"}, Fault::tooLong, 1},
        {{"Team A", "team a"}, Fault::duplicate, 1},
        {{"一二三四五六七八九十一二三四五六", "蓝队"}, std::nullopt, 0},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.names.empty() ? std::string() : c.names.back());
        const auto problem = teamNamesProblem(c.names);
        ASSERT_EQ(problem.has_value(), c.fault.has_value());
        if (!problem) continue;
        EXPECT_EQ(problem->fault, *c.fault);
        EXPECT_EQ(problem->team, c.team);
        if (*c.fault != Fault::teamCount) {
            EXPECT_EQ(problem->name, c.names.at(c.team));
        }
    }
}

// Toggling mends a misclick: a credited word goes to missed, a skipped or
// missed word to correct and back; total and skips follow.
TEST(RoundReview, TogglesMendTheTotalAndSkips) {
    Review review(0,
                  {{{"甲", 1}, Verdict::correct, Verdict::correct, 0},
                   {{"乙", 2}, Verdict::skipped, Verdict::skipped, 0},
                   {{"丙", 3}, Verdict::skipped, Verdict::skipped, 2},
                   {{"丁", 2}, Verdict::missed, Verdict::missed, 0}},
                  false);
    EXPECT_EQ(review.total(), 1);
    EXPECT_EQ(review.skips(), 2);
    review.toggle(1);
    EXPECT_EQ(review.total(), 3);
    EXPECT_EQ(review.skips(), 1);
    review.toggle(0);
    EXPECT_EQ(review.entries()[0].verdict, Verdict::missed);
    EXPECT_EQ(review.total(), 2);
    review.toggle(1);
    EXPECT_EQ(review.entries()[1].verdict, Verdict::skipped);
    review.toggle(3);
    EXPECT_EQ(review.total(), 2);
    review.toggle(9);
    EXPECT_EQ(review.total(), 2);
    EXPECT_TRUE(review.counts());
}

// A line number from a view that is out of date, the one just past the
// last line or any further, changes nothing.
TEST(RoundReview, ALinePastTheEndChangesNothing) {
    for (const std::size_t index : {2u, 3u, 100u}) {
        SCOPED_TRACE(index);
        Review review(0,
                      {{{"甲", 1}, Verdict::correct, Verdict::correct, 0},
                       {{"乙", 2}, Verdict::skipped, Verdict::skipped, 0}},
                      false);
        review.toggle(index);
        EXPECT_EQ(review.entries()[0].verdict, Verdict::correct);
        EXPECT_EQ(review.entries()[1].verdict, Verdict::skipped);
        EXPECT_EQ(review.total(), 1);
        EXPECT_EQ(review.skips(), 1);
    }
}

// A round cut short counts only when the host says so.
TEST(RoundReview, ARoundClosedEarlyCountsOnlyWhenTheHostSaysSo) {
    Review early(1, {}, true);
    EXPECT_FALSE(early.counts());
    early.setCounts(true);
    EXPECT_TRUE(early.counts());
    Review full(1, {}, false);
    full.setCounts(false);
    EXPECT_TRUE(full.counts());
}

}  // namespace
}  // namespace caici
