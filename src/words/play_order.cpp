#include "words/play_order.h"

#include "common/errors.h"

#include <algorithm>
#include <cstddef>
#include <cstdint>
#include <limits>
#include <numeric>
#include <stdexcept>
#include <string_view>
#include <unordered_map>
#include <unordered_set>
#include <utility>

namespace caici {

WordLists::WordLists()
    : libraryStore_(std::make_shared<const Store>()), dealStore_(libraryStore_) {}

std::vector<WordEntry> WordLists::entriesOf(const Store& store, const Order& order) {
    std::vector<WordEntry> entries;
    entries.reserve(order.size());
    for (const auto position : order) entries.push_back(store[position]);
    return entries;
}

std::vector<WordEntry> WordLists::library() const { return entriesOf(*libraryStore_, library_); }

std::vector<WordEntry> WordLists::playOrder() const { return entriesOf(*dealStore_, toDeal_); }

void WordLists::replaceLibrary(std::vector<WordEntry> entries, std::vector<std::string> categories) {
    const std::unordered_set<std::string_view> named(categories.begin(), categories.end());
    for (const auto& entry : entries) {
        if (!named.contains(entry.sheet)) throw std::invalid_argument("an entry names no category");
    }
    replaceOwn(std::move(entries), std::move(categories));
}

void WordLists::setAddedCategory(std::string name, std::vector<WordEntry> entries) {
    Store own(libraryStore_->begin(), libraryStore_->begin() + static_cast<std::ptrdiff_t>(ownCount_));
    Order ownOrder;
    ownOrder.reserve(ownCount_);
    for (const auto position : library_) {
        if (position < ownCount_) ownOrder.push_back(position);
    }
    addedName_ = std::move(name);
    added_ = std::move(entries);
    placeAdded(own, std::move(ownOrder));
}

void WordLists::placeAdded(const Store& own, Order ownOrder) {
    if (own.size() + added_.size() > std::numeric_limits<std::uint32_t>::max()) {
        throw std::length_error("the word list is too long");
    }
    Store store;
    store.reserve(own.size() + added_.size());
    store.insert(store.end(), own.begin(), own.end());
    store.insert(store.end(), added_.begin(), added_.end());
    for (auto position = static_cast<std::uint32_t>(own.size()); position < store.size(); ++position) {
        ownOrder.push_back(position);
    }
    libraryStore_ = std::make_shared<const Store>(std::move(store));
    library_ = std::move(ownOrder);
    categories_ = ownCategories_;
    const bool named = std::find(categories_.begin(), categories_.end(), addedName_) != categories_.end();
    if (!added_.empty() && !named) categories_.push_back(addedName_);
}

std::optional<std::string> WordLists::ownCategoryOf(std::string_view word) const {
    for (std::size_t at = 0; at < ownCount_; ++at) {
        const WordEntry& entry = (*libraryStore_)[at];
        if (entry.word == word) return entry.sheet;
    }
    return std::nullopt;
}

std::vector<CategoryCount> WordLists::categories() const {
    std::vector<CategoryCount> counts;
    std::unordered_map<std::string_view, std::size_t> at;
    for (const auto& name : categories_) {
        at.emplace(name, counts.size());
        counts.push_back(CategoryCount{name, 0});
    }
    if (counts.empty()) return counts;
    // A library without categories of its own has entries in none of them.
    for (const auto& entry : *libraryStore_) {
        if (const auto found = at.find(entry.sheet); found != at.end()) ++counts[found->second].entries;
    }
    return counts;
}

std::map<std::int32_t, std::size_t> WordLists::pointCounts() const {
    std::map<std::int32_t, std::size_t> counts;
    for (const auto& entry : *libraryStore_) ++counts[entry.points];
    return counts;
}

std::size_t WordLists::chosenCount(const WordChoice& choice) const {
    if (choice.isEverything()) return library_.size();
    std::size_t count = 0;
    for (const auto position : library_) count += choice.admits((*libraryStore_)[position]) ? 1 : 0;
    return count;
}

void WordLists::replaceLibrary(std::vector<WordEntry> entries) {
    replaceOwn(std::move(entries), {});
}

void WordLists::replaceOwn(std::vector<WordEntry> entries, std::vector<std::string> categories) {
    if (entries.size() > std::numeric_limits<std::uint32_t>::max()) {
        throw std::length_error("the word list is too long");
    }
    Order order(entries.size());
    std::iota(order.begin(), order.end(), 0u);
    ownCount_ = entries.size();
    ownCategories_ = std::move(categories);
    if (added_.empty()) {
        libraryStore_ = std::make_shared<const Store>(std::move(entries));
        library_ = std::move(order);
        categories_ = ownCategories_;
        return;
    }
    placeAdded(entries, std::move(order));
}

void WordLists::shuffle(RandomSource& random, const WordChoice& choice) {
    // Entry i is drawn among the entries i .. n - 1 still left and swapped
    // to place i: that is taking a random entry of those left and removing
    // it, and since every entry left is equally likely, their order among
    // themselves does not matter and the removal needs no moving up.
    Order order;
    Order others;
    if (choice.isEverything()) {
        order = library_;
    } else {
        for (const auto position : library_) {
            (choice.admits((*libraryStore_)[position]) ? order : others).push_back(position);
        }
    }
    const auto size = static_cast<std::uint32_t>(order.size());
    for (std::uint32_t i = 0; i < size; ++i) {
        std::swap(order[i], order[i + random.random(size - i)]);
    }

    Order library = order;
    library.insert(library.end(), others.begin(), others.end());
    library_ = std::move(library);
    toDeal_ = std::move(order);
    dealStore_ = libraryStore_;
}

void WordLists::keepOnly(const std::function<bool(const WordEntry& entry)>& keep) {
    Order kept;
    kept.reserve(toDeal_.size());
    for (const auto position : toDeal_) {
        if (keep((*dealStore_)[position])) kept.push_back(position);
    }
    if (!kept.empty()) toDeal_ = std::move(kept);
}

std::vector<WordEntry> WordLists::upcoming(std::size_t count) const {
    std::vector<WordEntry> entries;
    for (auto position = toDeal_.rbegin(); position != toDeal_.rend() && entries.size() < count; ++position) {
        entries.push_back((*dealStore_)[*position]);
    }
    return entries;
}

WordEntry WordLists::deal() {
    if (toDeal_.empty()) throwListIndex(-1);
    WordEntry entry = (*dealStore_)[toDeal_.back()];
    toDeal_.pop_back();
    return entry;
}

}  // namespace caici
