#pragma once
// What the game would later trip over in a loaded word list: entries whose
// points are not a decimal integer or not above zero, empty words, words
// holding the "|" that cuts an entry, and exact duplicates.

#include "workbook/left_out.h"

#include <cstddef>
#include <cstdint>
#include <optional>
#include <string>
#include <vector>

namespace caici {

struct EntryProblem {
    std::size_t index = 0;  // position in lst1, from 0
    std::string entry;
    std::string message;
};

std::vector<EntryProblem> findEntryProblems(const std::vector<std::string>& entries);

// A problem of a loaded library where the host looks for it: the sheet, the
// row, the column by its header.
struct PlacedProblem {
    std::string sheet;                 // empty: the whole library
    std::uint32_t row = 0;             // 0: the whole sheet
    std::string column;                // "名称", "分值", or empty: the whole row
    std::string message;
    std::optional<std::size_t> entry;  // the entry's position in the load, when it is one
};

// "动物 第17行 分值: 'abc' 不是整数".
std::string placedProblemText(const PlacedProblem& problem);

// What a load made of a library, as the checker reads it.
struct LoadedLibrary {
    const std::vector<std::string>& sheets;     // the sheets read, in order
    const std::vector<std::string>& entries;    // in load order
    const std::vector<EntryOrigin>& origins;    // one per entry
    const LeftOutRows& leftOut;
};

// Everything the game would trip over or leave out, by sheet and row, in
// the order the sheets were read (sheets left out first): words that are
// empty, hold "|" or control characters, or appear twice; points that are
// empty, a formula without a stored result, an error value, not a whole
// number or not above zero; words too long to show; blank rows between
// words; sheets the game does not read.
std::vector<PlacedProblem> findLibraryProblems(const LoadedLibrary& library);

}  // namespace caici
