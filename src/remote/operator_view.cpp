#include "remote/operator_view.h"

#include "game/game.h"

namespace caici {
namespace {

std::optional<std::string> teamName(const Game& game, int team) {
    const std::optional<Match>& match = game.match();
    if (!match || team < 0 || static_cast<std::size_t>(team) >= match->teams().size()) return std::nullopt;
    return match->teams()[static_cast<std::size_t>(team)];
}

}  // namespace

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
    view.busy = game.busy();
    view.forbiddenMode = game.forbiddenMode();
    view.review = game.review();
    view.team = teamName(game, view.review ? view.review->team() : game.roundTeam());
    if (round.phase != RoundPhase::running) view.nextTeam = teamName(game, game.nextTeam());
    view.tonightOpen = !game.tonightRefusal(TonightOrigin::phone);
    return view;
}

}  // namespace caici
