#pragma once
// A match as a spreadsheet program opens it: a CSV file in UTF-8 with a byte
// order mark, the standings first, then every counted round word by word,
// then (when the teams named players) the players' table and the awards.
// The host reads its headings and verdicts, so they are worded here, beside
// the other user texts, and not by the game.

#include "game/match.h"

#include <string>

namespace caici {

std::string matchCsv(const Match& match);

}  // namespace caici
