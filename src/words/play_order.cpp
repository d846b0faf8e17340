#include "words/play_order.h"

#include "common/errors.h"
#include "common/number_text.h"
#include "words/word_entry.h"

#include <cstdint>
#include <limits>
#include <numeric>
#include <stdexcept>
#include <utility>

namespace caici {

WordLists::WordLists()
    : libraryStore_(std::make_shared<const Store>()), dealStore_(libraryStore_) {}

std::vector<std::string> WordLists::entriesOf(const Store& store, const Order& order) {
    std::vector<std::string> entries;
    entries.reserve(order.size());
    for (const auto position : order) entries.push_back(store[position]);
    return entries;
}

std::vector<std::string> WordLists::lst1() const { return entriesOf(*libraryStore_, lst1_); }

std::vector<std::string> WordLists::lst2() const { return entriesOf(*dealStore_, lst2_); }

void WordLists::replaceLibrary(std::vector<std::string> entries, std::vector<std::string> categories,
                               std::vector<std::uint32_t> categoryOf) {
    if (categoryOf.size() != entries.size()) throw std::invalid_argument("every entry needs a category");
    for (const auto category : categoryOf) {
        if (category >= categories.size()) throw std::invalid_argument("an entry names no category");
    }
    replaceLibrary(std::move(entries));
    categories_ = std::move(categories);
    categoryOf_ = std::move(categoryOf);
}

std::string_view WordLists::categoryOf(std::uint32_t position) const {
    return categoryOf_.empty() ? std::string_view() : std::string_view(categories_[categoryOf_[position]]);
}

std::vector<CategoryCount> WordLists::categories() const {
    std::vector<CategoryCount> counts;
    for (const auto& name : categories_) counts.push_back(CategoryCount{name, 0});
    for (const auto category : categoryOf_) ++counts[category].entries;
    return counts;
}

std::map<std::int32_t, std::size_t> WordLists::pointCounts() const {
    std::map<std::int32_t, std::size_t> counts;
    for (const auto& entry : *libraryStore_) {
        const EntryFields fields(entry);
        std::int32_t points = 0;
        if (fields.count() > 1 && tryStrToInt(fields.at(1), points)) ++counts[points];
    }
    return counts;
}

std::size_t WordLists::chosenCount(const WordChoice& choice) const {
    if (choice.isEverything()) return lst1_.size();
    std::size_t count = 0;
    for (const auto position : lst1_) count += choice.admits(categoryOf(position), (*libraryStore_)[position]) ? 1 : 0;
    return count;
}

void WordLists::replaceLibrary(std::vector<std::string> entries) {
    if (entries.size() > std::numeric_limits<std::uint32_t>::max()) {
        throw std::length_error("the word list is too long");
    }
    Order order(entries.size());
    std::iota(order.begin(), order.end(), 0u);
    libraryStore_ = std::make_shared<const Store>(std::move(entries));
    lst1_ = std::move(order);
    categories_.clear();
    categoryOf_.clear();
}

void WordLists::shuffle(RandomSource& random, const WordChoice& choice) {
    // Entry i is drawn among the entries i .. n - 1 still left and swapped
    // to place i: that is taking a random entry of those left and removing
    // it, and since every entry left is equally likely, their order among
    // themselves does not matter and the removal needs no moving up.
    Order order;
    Order others;
    if (choice.isEverything()) {
        order = lst1_;
    } else {
        for (const auto position : lst1_) {
            (choice.admits(categoryOf(position), (*libraryStore_)[position]) ? order : others).push_back(position);
        }
    }
    const auto size = static_cast<std::uint32_t>(order.size());
    for (std::uint32_t i = 0; i < size; ++i) {
        std::swap(order[i], order[i + random.random(size - i)]);
    }

    Order library = order;
    library.insert(library.end(), others.begin(), others.end());
    lst1_ = std::move(library);
    lst2_ = std::move(order);
    dealStore_ = libraryStore_;
}

void WordLists::keepOnly(const std::function<bool(const std::string& entry)>& keep) {
    Order kept;
    kept.reserve(lst2_.size());
    for (const auto position : lst2_) {
        if (keep((*dealStore_)[position])) kept.push_back(position);
    }
    if (!kept.empty()) lst2_ = std::move(kept);
}

std::vector<std::string> WordLists::upcoming(std::size_t count) const {
    std::vector<std::string> entries;
    for (auto position = lst2_.rbegin(); position != lst2_.rend() && entries.size() < count; ++position) {
        entries.push_back((*dealStore_)[*position]);
    }
    return entries;
}

std::string WordLists::deal() {
    if (lst2_.empty()) throwListIndex(-1);
    std::string entry = (*dealStore_)[lst2_.back()];
    lst2_.pop_back();
    return entry;
}

}  // namespace caici
