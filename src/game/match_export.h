#pragma once
// A match as a spreadsheet program opens it: a CSV file in UTF-8 with a byte
// order mark, the standings first, then every counted round word by word.

#include "game/match.h"

#include <string>

namespace caici {

std::string matchCsv(const Match& match);

}  // namespace caici
