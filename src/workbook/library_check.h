#pragma once
// What the game would later trip over in a loaded word list: entries whose
// points are not a decimal integer or not above zero, empty words, words
// holding the "|" that cuts an entry, and exact duplicates.

#include <cstddef>
#include <string>
#include <vector>

namespace caici {

struct EntryProblem {
    std::size_t index = 0;  // position in lst1, from 0
    std::string entry;
    std::string message;
};

std::vector<EntryProblem> findEntryProblems(const std::vector<std::string>& entries);

}  // namespace caici
