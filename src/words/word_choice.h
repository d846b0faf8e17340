#pragma once
// Which of the library's entries a game deals: the categories (the sheets
// they come from) and the points the host ticked. A choice is a plain value
// the program can keep per library and hand back at the next run.

#include "words/word_entry.h"

#include <cstddef>
#include <cstdint>
#include <optional>
#include <set>
#include <string>

namespace caici {

struct WordChoice {
    // The categories to deal from, by name; nothing: every category.
    std::optional<std::set<std::string>> categories;
    // The points to deal; nothing: any points.
    std::optional<std::set<std::int32_t>> points;

    // Every entry of the library.
    bool isEverything() const { return !categories && !points; }
    // Whether the entry is dealt; its sheet is its category.
    bool admits(const WordEntry& entry) const;

    friend bool operator==(const WordChoice&, const WordChoice&) = default;
};

// A category of the library and how many entries it holds.
struct CategoryCount {
    std::string name;
    std::size_t entries = 0;

    friend bool operator==(const CategoryCount&, const CategoryCount&) = default;
};

}  // namespace caici
