#include "texts/round_card_text.h"

#include "texts/user_texts.h"

namespace caici {

std::string cardStageText(const RoundCard& card) {
    std::string text = card.stage == MatchStage::regular ? std::string() : matchStageName(card.stage);
    // Double points are the news the room must hear before the round, not
    // only on the scoreboard afterwards.
    if (card.doublePoints) text += text.empty() ? "双倍分" : " · 双倍分";
    return text;
}

}  // namespace caici
