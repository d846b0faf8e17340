#pragma once
// A "禁词" cell of a library made into the words the describer may not say.
// Hosts type these lists by hand in a spreadsheet, with whatever separators
// their keyboard gives them, so the reading is lenient: items are separated
// by "、", "，" or ",", and white space inside an item (spaces, tabs, the
// ideographic space) separates words too. What cannot be a forbidden word
// is dropped and reported, never a reason to leave the word itself out.

#include <cstddef>
#include <string>
#include <string_view>
#include <vector>

namespace caici {

// More than this crowds the screen under the word.
inline constexpr std::size_t maxForbiddenWords = 5;

enum class ForbiddenFault {
    emptyItem,   // nothing between two separators, or before the first or after the last
    sameAsWord,  // the word itself, which the describer never says anyway
    repeated,    // an item already listed
    tooMany,     // past maxForbiddenWords kept
};

// What was wrong and with which item ("" for an empty one; for tooMany the
// first item that no longer fitted, reported once per cell).
struct ForbiddenProblem {
    ForbiddenFault fault;
    std::string item;

    friend bool operator==(const ForbiddenProblem&, const ForbiddenProblem&) = default;
};

struct ForbiddenList {
    std::vector<std::string> words;  // kept, in the cell's order
    std::vector<ForbiddenProblem> problems;  // in the cell's order
};

// Reads a 禁词 cell for the given word. A cell that is empty or only white
// space lists nothing and has no problems.
ForbiddenList readForbiddenWords(std::string_view cell, std::string_view word);

}  // namespace caici
