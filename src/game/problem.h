#pragma once
// What the game has to tell the host, as facts with their data: what
// happened, to which file or team, and why. The game words nothing itself;
// every view (the error box, the match dialog, the phone) turns a Problem
// into its own sentence, through the one library of user texts they share,
// so no two of them word the same fact differently.

#include "game/commands.h"
#include "game/match_rules.h"
#include "words/tonight_words.h"

#include <cstddef>
#include <cstdint>
#include <string>
#include <variant>

namespace caici {

// A message another part of the program has worded already: the word
// library's loaders, the system.
struct Worded {
    std::string text;
};

// A library is being read; the input that came meanwhile was not taken.
struct LibraryBusy {
    enum class Input : std::uint8_t { load, openFile, browse, choose };
    Input input = Input::load;
};

// The chosen categories and points leave no word of the library to deal.
struct NothingChosen {};

// What is wrong with the team names of a new match (limits: minTeams,
// maxTeams and maxTeamNameLength in game/match.h).
struct TeamNamesProblem {
    enum class Fault : std::uint8_t { teamCount, empty, blanksOnly, tooLong, duplicate };
    Fault fault = Fault::teamCount;
    // The name at fault, counted from 0, and as given; for teamCount, the
    // number of names given.
    std::size_t team = 0;
    std::string name;
};

// The history file could not be read; it was moved aside, kept, and a new
// history started in its place.
struct HistoryMovedAside {
    std::string file;
    std::string aside;
};

// The history cannot be kept in path (reason as the system or the database
// gave it): matches go on in memory only.
struct HistoryNotKept {
    std::string path;
    std::string reason;
};

// The file of tonight's words could not be read; it was moved aside, kept,
// and tonight's words start empty.
struct TonightMovedAside {
    std::string file;
    std::string aside;
};

// Tonight's words cannot be kept (reason as the system gave it): they are
// played in this run only. The file, if any, is left as it was.
struct TonightNotKept {
    std::string reason;
};

using Problem = std::variant<Worded, LibraryBusy, NothingChosen, TeamNamesProblem, MatchSetupProblem,
                             HistoryMovedAside, HistoryNotKept, TonightMovedAside, TonightNotKept>;

// Why tonight's words stayed as they were: the game does not take the
// change now, or the word typed has a fault.
using TonightRefusal = std::variant<Refusal, TonightProblem>;

}  // namespace caici
