#pragma once
// What the game would later trip over in a word list, and what keeps the
// rows of a library out of play, in the words the checker shows the host.

#include "workbook/left_out.h"
#include "words/forbidden_words.h"
#include "words/word_entry.h"

#include <cstddef>
#include <cstdint>
#include <functional>
#include <optional>
#include <string>
#include <vector>

namespace caici {

// A problem of a loaded library where the host looks for it: the sheet, the
// row, the column by its header.
struct PlacedProblem {
    std::string sheet;                 // empty: the whole library
    std::uint32_t row = 0;             // 0: the whole sheet
    std::string column;                // "名称", "分值", "禁词", or empty: the whole row
    std::string message;
    std::optional<std::size_t> entry;  // the entry's position in the load, when it is one
};

// "动物 第17行 分值: 'abc' 不是整数".
std::string placedProblemText(const PlacedProblem& problem);

// A left-out entry's problems in the checker's words: the word's first,
// then the points'.
std::vector<PlacedProblem> leftOutProblems(const LeftOutEntry& entry);

// The host's words for a problem of a 禁词 cell. They are the game's own
// (texts/user_texts.h), which this library does not link, so the checker
// hands them in.
using ForbiddenWording = std::function<std::string(const ForbiddenProblem&)>;

// What a load made of a library, as the checker reads it.
struct LoadedLibrary {
    const std::vector<std::string>& sheets;     // the sheets read, in order
    const std::vector<WordEntry>& entries;      // in load order
    const std::vector<EntryOrigin>& origins;    // one per entry
    const LeftOutRows& leftOut;
    ForbiddenWording forbiddenText;             // must be set
};

using ProblemSink = std::function<void(const PlacedProblem&)>;

// Everything the game would trip over or leave out, by sheet and row, in
// the order the sheets were read (sheets left out first): words that are
// empty, hold control characters, or appear twice among the entries in play;
// what their 禁词 cells held that cannot be forbidden words, after the
// word's own problems; the entries left out of play (leftOutProblems); blank
// rows between words;
// sheets the game does not read. Each problem goes to sink as it is found,
// so that a library of a million rows is checked in little memory.
void forEachLibraryProblem(const LoadedLibrary& library, const ProblemSink& sink);

}  // namespace caici
