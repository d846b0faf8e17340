#pragma once
// The keys of the game, for the keyboard and a presenter clicker alike: a
// clicker sends Page Down / Page Up or the arrow keys for its two buttons,
// and "B" or "." for its screen-blank button; "F" on the keyboard is "犯规".
// One key may stand for several
// commands; the first the game takes now is the one it means (Enter confirms
// a review, presses "正确" in a round and starts the next round otherwise).

#include "game/commands.h"

#include <vector>

namespace caici {

// The commands key (a Qt::Key) stands for, in order of preference; none for
// a key the game does not use.
std::vector<CommandKind> commandsForKey(int key);

// Whether key is one a clicker sends: taken for the game from any window of
// the program, not only from the windows of play.
bool isClickerKey(int key);

}  // namespace caici
