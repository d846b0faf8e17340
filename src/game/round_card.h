#pragma once
// The card every view shows before a round of a match, or of a kind other
// than 描述: who plays, who acts, and the round's rule.

#include "game/match.h"

#include <cstdint>
#include <string>

namespace caici {

struct RoundCard {
    RoundKind kind = RoundKind::describe;
    // The team's place in the match, or -1 outside one.
    int team = -1;
    // Who acts; empty when the team named no players.
    std::string actor{};
    MatchStage stage = MatchStage::regular;
    bool doublePoints = false;
    // The round's countdown.
    std::int32_t countdownSeconds = 0;
};

}  // namespace caici
