#pragma once
// The library (every entry, in the order of the last shuffle) and the play
// order (the entries still to be dealt, the next one last). The start of a
// game refills the play order by shuffling the library when fewer than
// refillThreshold entries are left; the round deals from its end. Each entry
// belongs to a category (the sheet it came from), and a refill can deal the
// entries of a WordChoice only.
//
// The entries are stored once; both lists are orders over that store, so a
// shuffle moves 32-bit positions instead of entries and a library sits in
// memory once rather than twice. A library load brings a new store, and the
// play order keeps dealing from the store it was shuffled from until the
// next refill.

#include "common/random_source.h"
#include "words/word_choice.h"
#include "words/word_entry.h"

#include <cstddef>
#include <cstdint>
#include <functional>
#include <map>
#include <memory>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace caici {

class WordLists {
public:
    static constexpr std::size_t refillThreshold = 50;

    WordLists();

    // Copies of the lists' entries, in order, for inspection.
    std::vector<WordEntry> library() const;
    std::vector<WordEntry> playOrder() const;

    // What a completed library load does: the library becomes the new one,
    // without categories. The play order is left alone; the next refill
    // deals from the new library. Throws std::length_error for more entries
    // than 32-bit positions can tell apart.
    void replaceLibrary(std::vector<WordEntry> entries);
    // The same with categories, in the library's order: each entry's sheet
    // names one of them, else std::invalid_argument and nothing changes.
    void replaceLibrary(std::vector<WordEntry> entries, std::vector<std::string> categories);

    // A category the game adds to every library (the words the host typed
    // tonight): its entries follow the library's own, under name, and stay
    // through every replaceLibrary until they are replaced in turn; none: no
    // such category. A library with a category of that name has the added
    // entries counted in it. The play order is left alone, as by a load.
    void setAddedCategory(std::string name, std::vector<WordEntry> entries);
    // The category of the library's own entry (not an added one) for word.
    std::optional<std::string> ownCategoryOf(std::string_view word) const;

    // The library's categories in order, with the number of entries of each.
    std::vector<CategoryCount> categories() const;
    // The entries of the library for each points value.
    std::map<std::int32_t, std::size_t> pointCounts() const;
    // How many entries of the library choice deals.
    std::size_t chosenCount(const WordChoice& choice) const;

    // The shuffle: play order := all entries of the library in random
    // order, then library := a copy of it. One draw from random per entry,
    // in O(n), so fast that a library of a quarter of a million words
    // shuffles between two frames; every order of the library is equally
    // likely, and a given seed and library size always give the same order.
    //
    // With a choice that is not everything, play order := the chosen entries
    // in random order, and library := the play order followed by the other
    // entries in their order, so that the library still holds every entry.
    void shuffle(RandomSource& random = processRandom(), const WordChoice& choice = {});

    // Leaves in the play order only the entries keep answers true for, in
    // their order; when that would leave none, it stays as it is (better a
    // word again than no word at all).
    void keepOnly(const std::function<bool(const WordEntry& entry)>& keep);

    // Takes the last entry of the play order. An empty play order throws
    // EListError "List index out of bounds (-1)".
    WordEntry deal();

    // The next entries deal() gives, at most count of them, in that order.
    std::vector<WordEntry> upcoming(std::size_t count) const;

    std::size_t count() const { return toDeal_.size(); }
    bool needsRefill() const { return count() < refillThreshold; }

private:
    using Store = std::vector<WordEntry>;
    using Order = std::vector<std::uint32_t>;

    static std::vector<WordEntry> entriesOf(const Store& store, const Order& order);

    void replaceOwn(std::vector<WordEntry> entries, std::vector<std::string> categories);
    // Makes the store own + added_, keeping the library's order of own.
    void placeAdded(const Store& own, Order ownOrder);

    std::shared_ptr<const Store> libraryStore_;
    // The library's own entries are the first ownCount_ of the store.
    std::size_t ownCount_ = 0;
    std::vector<std::string> ownCategories_;
    std::string addedName_;
    std::vector<WordEntry> added_;
    std::vector<std::string> categories_;
    Order library_;
    // The store the play order was shuffled from; a load since does not change it.
    std::shared_ptr<const Store> dealStore_;
    Order toDeal_;
};

}  // namespace caici
