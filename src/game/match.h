#pragma once
// A match: 2 to 12 teams take turns in a fixed order for a number of passes;
// each round a team plays goes into the match once the host has reviewed
// it. The standings follow the game's own rule: the higher score wins; with
// equal scores, fewer skips win; teams equal in both share their rank.

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

// A reviewed round as the match keeps it.
struct MatchRound {
    int team = 0;
    std::int64_t score = 0;
    std::int32_t skips = 0;
    bool closedEarly = false;
    std::vector<ReviewEntry> entries;
};

struct Standing {
    int team = 0;
    std::string name;
    std::int64_t score = 0;
    std::int32_t skips = 0;
    int rounds = 0;
    // 1 for the leaders; teams equal in score and skips share it, and the
    // next rank skips as many places as shared it (1, 1, 3).
    int rank = 0;
    bool tied = false;
};

// The standings of some teams, best first.
std::vector<Standing> rankTeams(std::vector<Standing> teams);

class Match {
public:
    Match(std::int64_t id, std::vector<std::string> teams, int passes, std::vector<MatchRound> rounds = {});

    std::int64_t id() const { return id_; }
    const std::vector<std::string>& teams() const { return teams_; }
    int passes() const { return passes_; }
    const std::vector<MatchRound>& rounds() const { return rounds_; }

    // Whose turn it is: teams play in their order, pass after pass.
    int nextTeam() const;
    // The pass the next round belongs to, from 1.
    int pass() const;
    // Every team has played every pass.
    bool finished() const;

    void add(MatchRound round);
    std::vector<Standing> standings() const;

private:
    std::int64_t id_;
    std::vector<std::string> teams_;
    int passes_;
    std::vector<MatchRound> rounds_;
};

}  // namespace caici
