#include "remote/operator_view.h"

#include "game/game.h"

namespace caici {

std::optional<TeamMark> teamMark(const std::optional<Match>& match, int team) {
    if (!match || team < 0) return std::nullopt;
    const auto place = static_cast<std::size_t>(team);
    const std::vector<MatchTeam>& teams = match->setup().teams;
    if (place >= teams.size()) return std::nullopt;
    return TeamMark{teams[place].name, teamPalette[teams[place].colour % teamPaletteSize]};
}

CardView cardView(const RoundCard& card, std::int32_t seconds, const std::optional<Match>& match) {
    return CardView{card, teamMark(match, card.team), seconds};
}

OperatorView operatorView(const Game& game) {
    const RoundState& round = game.round();
    OperatorView view;
    view.phase = round.phase;
    view.line = round.line;
    if (round.line == WordLine::word) {
        view.word = round.currentEntry.word;
        view.points = round.currentEntry.points;
        if (game.forbiddenMode()) view.forbidden = round.currentEntry.forbidden;
    }
    view.seconds = round.remainingSeconds;
    view.score = round.score;
    view.skips = round.skipCount;
    const CommandSet available = game.available();
    view.correctEnabled = available.has(CommandKind::correct);
    view.skipEnabled = available.has(CommandKind::skip);
    view.foulEnabled = available.has(CommandKind::foul);
    view.startEnabled = available.has(CommandKind::start);
    // Why 跳过 is off is the round's to say; whether it is off, the game's.
    view.skipCapReached = !view.skipEnabled && round.skipCapReached;
    view.busy = game.busy();
    view.forbiddenMode = game.forbiddenMode();
    view.review = game.review();
    view.team = teamMark(game.match(), view.review ? view.review->team() : game.roundTeam());
    const bool inRound = round.phase == RoundPhase::running || round.phase == RoundPhase::card;
    if (!inRound) view.nextTeam = teamMark(game.match(), game.nextTeam());
    if (round.phase == RoundPhase::card) {
        if (const std::optional<RoundCard> card = game.card()) view.card = cardView(*card, round.cardSeconds, game.match());
    }
    view.tonightOpen = !game.tonightRefusal(TonightOrigin::phone);
    return view;
}

}  // namespace caici
