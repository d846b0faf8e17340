#pragma once
// A "禁词" cell read into the words the describer may not say. Hosts type
// these lists by hand in a spreadsheet or on a phone, so every separator a
// Chinese or English keyboard gives is taken ("、", "，", "," and white
// space), and what cannot be a forbidden word is dropped and named, never
// the word itself: a word is played whatever its list holds.

#include <cstddef>
#include <string>
#include <string_view>
#include <vector>

namespace caici {

inline constexpr std::size_t maxForbiddenWords = 5;

enum class ForbiddenFault {
    emptyItem,   // nothing between two separators, or before or after one
    sameAsWord,  // the word itself
    repeated,    // a word already in the list
    tooMany,     // a sixth word (named once, with everything after it dropped)
};

struct ForbiddenProblem {
    ForbiddenFault fault = ForbiddenFault::emptyItem;
    std::string item;

    friend bool operator==(const ForbiddenProblem&, const ForbiddenProblem&) = default;
};

struct ForbiddenList {
    std::vector<std::string> words;
    std::vector<ForbiddenProblem> problems;
};

// Reads a 禁词 cell for the given word. An empty or blank cell is no list.
ForbiddenList readForbiddenWords(std::string_view cell, std::string_view word);

}  // namespace caici
