#pragma once
// A match: 2 to 12 teams take turns in a fixed order, pass after pass, for a
// number of passes or until a team has reached the target score at the end
// of a pass; teams tied for first then play tie-break rounds, and an
// optional final lets the top two play once more for double points. Each
// round a team plays goes into the match once the host has reviewed it; what
// comes next follows from the rounds played alone. The standings follow the
// game's own rule: the higher score wins; with equal scores, fewer skips
// win; then the tie-break rounds both teams played; teams equal in all of
// it share their rank.

#include "game/match_rules.h"
#include "game/problem.h"
#include "game/review.h"

#include <cstdint>
#include <optional>
#include <string>
#include <vector>

namespace caici {

inline constexpr int minTeams = 2;
inline constexpr int maxTeams = 12;
// In characters as the host sees them (Unicode code points).
inline constexpr std::size_t maxTeamNameLength = 16;

// What is wrong with a list of team names: too few or too many, an empty
// one, one of blanks only, one too long, or two alike (letter case aside).
// Nothing when the names make a match.
std::optional<TeamNamesProblem> teamNamesProblem(const std::vector<std::string>& names);

// Which part of a match a round belongs to.
enum class MatchStage : std::uint8_t {
    regular,   // the passes every team plays
    tieBreak,  // "加赛": teams tied for a place that decides play one more round each
    final,     // "决赛": the top two, one round each, for double points
};

// A reviewed round as the match keeps it.
struct MatchRound {
    int team = 0;
    // Double for a final's round: what counts in the standings.
    std::int64_t score = 0;
    std::int32_t skips = 0;
    bool closedEarly = false;
    std::vector<ReviewEntry> entries;
    MatchStage stage = MatchStage::regular;
    RoundKind kind = RoundKind::describe;
    // Who acted; empty when the team named no players.
    std::string actor{};
};

// The round a match plays next.
struct NextRound {
    int team = 0;
    // The pass, from 1; tie-break and final rounds carry the pass after the
    // last regular one.
    int pass = 1;
    MatchStage stage = MatchStage::regular;
    RoundKind kind = RoundKind::describe;
    std::string actor{};
    // The round's score counts twice (the final).
    bool doublePoints = false;
    // The round's countdown is shorter than the host's (tie-break, final).
    bool shortCountdown = false;
};

// A player who earned an award; several when they are equal.
struct PlayerAward {
    std::string player{};
    int team = 0;
    // "最佳表演": points of the rounds acted, as counted in the match.
    std::int64_t points = 0;
    // "神速": the median time from a word's appearance to its 正确.
    std::int64_t medianMilliseconds = 0;
};

// What one named player did over the match's counted rounds.
struct PlayerStats {
    int team = 0;
    std::string player{};
    // Rounds the player acted, tie-break rounds included.
    int roundsActed = 0;
    // Points of those rounds as counted in the standings (tie-break rounds
    // earn none; a final's count double).
    std::int64_t points = 0;
    // Words marked correct in those rounds.
    int correctWords = 0;
    // Words correct as played with their time to 正确, and the median of
    // those times; nothing without any.
    std::size_t timedWords = 0;
    std::optional<std::int64_t> medianMilliseconds{};
};

struct Awards {
    std::vector<PlayerAward> bestActor;
    // Only players with at least fastestMinimumWords words correct.
    std::vector<PlayerAward> fastest;
};

inline constexpr std::size_t fastestMinimumWords = 5;

struct Standing {
    int team = 0;
    std::string name;
    std::int64_t score = 0;
    std::int32_t skips = 0;
    int rounds = 0;
    // A place in teamPalette.
    std::size_t colour = 0;
    // 1 for the leaders; teams equal in score and skips share it, and the
    // next rank skips as many places as shared it (1, 1, 3).
    int rank = 0;
    bool tied = false;
};

// The countdown of a tie-break or a final round (NextRound::shortCountdown)
// when the host's is hostSeconds: half of it, at least 20 s, at most all of it.
std::int32_t shortCountdownSeconds(std::int32_t hostSeconds);

// The standings of some teams, best first.
std::vector<Standing> rankTeams(std::vector<Standing> teams);

class Match {
public:
    Match(std::int64_t id, MatchSetup setup, std::vector<MatchRound> rounds = {});
    // A match of plain passes, every team in the palette's order.
    Match(std::int64_t id, std::vector<std::string> teams, int passes, std::vector<MatchRound> rounds = {});

    std::int64_t id() const { return id_; }
    const MatchSetup& setup() const { return setup_; }
    const MatchRules& rules() const { return setup_.rules; }
    // The teams' names, in their order.
    const std::vector<std::string>& teams() const { return names_; }
    int passes() const { return setup_.rules.passes; }
    const std::vector<MatchRound>& rounds() const { return rounds_; }

    // The round to play next, worked out from the rounds played: nothing
    // when the match is over.
    std::optional<NextRound> next() const;
    // Whose turn it is, or -1 when the match is over.
    int nextTeam() const;
    // The pass the next round belongs to, from 1.
    int pass() const;
    bool finished() const { return !next().has_value(); }

    void add(MatchRound round);
    // Best first; teams equal in score and skips are ordered by their
    // tie-break rounds, and share a rank only when those are equal too.
    std::vector<Standing> standings() const;
    // Every player the teams named, in team order and then in turn; none
    // when nobody was named.
    std::vector<PlayerStats> playerStats() const;
    // "最佳表演" and "神速"; none when nobody was named.
    Awards awards() const;

private:
    std::int64_t id_;
    MatchSetup setup_;
    std::vector<std::string> names_;
    std::vector<MatchRound> rounds_;
};

}  // namespace caici
