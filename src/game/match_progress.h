#pragma once
// How far a match has come: its rounds replayed in order under its rules, so
// that the stage, the team, the kind and the actor of every round follow from
// the rounds alone (a resumed match continues exactly where it stopped).
// Tie-break rounds are played in batches (every team of a tie once); two
// teams equal in score and skips are ordered by the batches both played.

#include "game/match.h"

#include <cstdint>
#include <map>
#include <optional>
#include <vector>

namespace caici {

struct TeamTally {
    // Regular and final rounds: what the standings add up.
    std::int64_t score = 0;
    std::int32_t skips = 0;
    // Every round the team played, tie-break rounds included.
    int rounds = 0;
    // The team's tie-break round in each batch it played, by batch number.
    struct Result {
        std::int64_t score = 0;
        std::int32_t skips = 0;
    };
    std::map<int, Result> batches;
};

struct MatchProgress {
    std::vector<TeamTally> teams;
    // The regular rounds played.
    int regularRounds = 0;
    std::optional<NextRound> next;
};

MatchProgress replayMatch(const MatchSetup& setup, const std::vector<MatchRound>& rounds);

// Whether team a stands before team b: score, then fewer skips, then the
// tie-break batches both played, in order.
bool standsBefore(const TeamTally& a, const TeamTally& b);

}  // namespace caici
