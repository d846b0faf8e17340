#include "remote/operator_view.h"

#include "game/game.h"

namespace caici {

bool pressesTaken(const Game& game) {
    return !game.busy() && game.round().phase == RoundPhase::running;
}

bool startTaken(const Game& game) {
    return !game.busy() && game.round().phase != RoundPhase::running;
}

OperatorView operatorView(const Game& game, bool pointsKnown) {
    const RoundState& round = game.round();
    OperatorView view;
    view.phase = round.phase;
    view.line = round.line;
    if (round.line == WordLine::word) {
        view.word = round.currentWord;
        if (pointsKnown) view.points = round.currentPoints;
    }
    view.seconds = round.remainingSeconds;
    view.score = round.score;
    view.skips = round.skipCount;
    const bool presses = pressesTaken(game);
    view.correctEnabled = presses && round.correctEnabled;
    view.skipEnabled = presses && round.skipEnabled;
    view.startEnabled = startTaken(game);
    view.busy = game.busy();
    return view;
}

}  // namespace caici
