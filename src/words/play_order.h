#pragma once
// The word list lst1 (the whole library) and the play order lst2 (the words
// still to be dealt, the next one last). The start of a game refills lst2 by
// shuffling lst1 when fewer than refillThreshold entries are left; the round
// deals from its end. Each entry belongs to a category (the sheet it came
// from), and a refill can deal the entries of a WordChoice only.
//
// The entries are stored once; both lists are orders over that store, so a
// shuffle moves 32-bit positions instead of texts and a library sits in
// memory once rather than twice. A library load brings a new store for lst1,
// and the play order keeps dealing from the store it was shuffled from until
// the next refill.

#include "common/random_source.h"
#include "words/word_choice.h"

#include <cstddef>
#include <cstdint>
#include <functional>
#include <map>
#include <memory>
#include <string>
#include <vector>

namespace caici {

class WordLists {
public:
    static constexpr std::size_t refillThreshold = 50;

    WordLists();

    // Copies of the lists' entries, in order, for inspection.
    std::vector<std::string> lst1() const;
    std::vector<std::string> lst2() const;

    // What a completed library load does: lst1 becomes the new library. The
    // play order is left alone; the next refill deals from the new library.
    // Throws std::length_error for more entries than 32-bit positions can
    // tell apart.
    void replaceLibrary(std::vector<std::string> entries);
    // The same with categories: entry i belongs to categories[categoryOf[i]].
    // Throws std::invalid_argument when the two do not fit together.
    void replaceLibrary(std::vector<std::string> entries, std::vector<std::string> categories,
                        std::vector<std::uint32_t> categoryOf);

    // The library's categories in order, with the number of entries of each.
    std::vector<CategoryCount> categories() const;
    // The entries of the library for each points value a round can read.
    std::map<std::int32_t, std::size_t> pointCounts() const;
    // How many entries of the library choice deals.
    std::size_t chosenCount(const WordChoice& choice) const;

    // The shuffle: lst2 := all entries of lst1 in random order, then
    // lst1 := a copy of lst2. One draw from random per entry, in O(n), so
    // fast that a library of a quarter of a million words shuffles between
    // two frames; every order of the library is equally likely, and a given
    // seed and library size always give the same order.
    //
    // With a choice that is not everything, lst2 := the chosen entries of
    // lst1 in random order, and lst1 := lst2 followed by the other entries in
    // their order, so that lst1 still holds the whole library.
    void shuffle(RandomSource& random = processRandom(), const WordChoice& choice = {});

    // Leaves in lst2 only the entries keep answers true for, in their order;
    // when that would leave none, lst2 stays as it is (better a word again
    // than no word at all).
    void keepOnly(const std::function<bool(const std::string& entry)>& keep);

    // Reads the last entry of lst2 and removes it. An empty play order throws
    // EListError "List index out of bounds (-1)".
    std::string deal();

    // The next entries deal() gives, at most count of them, in that order.
    std::vector<std::string> upcoming(std::size_t count) const;

    std::size_t count() const { return lst2_.size(); }
    bool needsRefill() const { return count() < refillThreshold; }


private:
    using Store = std::vector<std::string>;
    using Order = std::vector<std::uint32_t>;

    static std::vector<std::string> entriesOf(const Store& store, const Order& order);

    std::string_view categoryOf(std::uint32_t position) const;

    std::shared_ptr<const Store> libraryStore_;
    std::vector<std::string> categories_;
    std::vector<std::uint32_t> categoryOf_;  // by store position; empty without categories
    Order lst1_;
    // The store lst2 was shuffled from; a load since does not change it.
    std::shared_ptr<const Store> dealStore_;
    Order lst2_;
};

}  // namespace caici
