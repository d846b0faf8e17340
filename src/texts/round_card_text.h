#pragma once
// What a rule card says about the round's place in the match, worded once
// for every view that shows the card (the console, the phone): nothing for a
// regular round, "加赛" for a tie-break, "决赛 · 双倍分" for the final.

#include "game/round_card.h"

#include <string>

namespace caici {

std::string cardStageText(const RoundCard& card);

}  // namespace caici
