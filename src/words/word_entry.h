#pragma once
// A word of the library as every part of the game hands it on, from the load
// through the play order, the round and its review to the history, the
// phone and the console: the word as the cell holds it, its points (a whole
// number of at least 1: the load leaves out whatever else a cell holds) and
// where the host finds it in the library. Nothing downstream reads a word
// out of text again; a view makes text of it only where it shows it.

#include <cstdint>
#include <string>
#include <utility>
#include <vector>

namespace caici {

struct WordEntry {
    WordEntry() = default;
    WordEntry(std::string word, std::int32_t points, std::string sheet = {}, std::uint32_t row = 0,
              std::vector<std::string> forbidden = {})
        : word(std::move(word)),
          points(points),
          sheet(std::move(sheet)),
          row(row),
          forbidden(std::move(forbidden)) {}

    std::string word;
    std::int32_t points = 0;
    // The sheet it was read from, which is its category, and its row there
    // as the host counts rows; empty and 0 for a word that came from no
    // sheet (the match history keeps a word and its points only).
    std::string sheet;
    std::uint32_t row = 0;
    // The words the describer may not say, in the library's order: none for
    // a library without a "禁词" column or an empty cell, otherwise 1 to 5
    // (the load keeps the word and drops what the checker reports: an empty
    // item, the word itself, a repeat, a sixth and later).
    std::vector<std::string> forbidden;

    friend auto operator<=>(const WordEntry&, const WordEntry&) = default;
};

}  // namespace caici
