#include "words/play_order.h"

#include "common/errors.h"
#include "words/remaining_positions.h"

#include <cstdint>
#include <limits>
#include <numeric>
#include <stdexcept>
#include <utility>

namespace caici {
namespace {

constexpr std::size_t kPrefetchAhead = 16;

// Clears the busy flag however the shuffle ends, a throwing pump included.
class ShuffleScope {
public:
    explicit ShuffleScope(bool& flag) : flag_(flag) { flag_ = true; }
    ~ShuffleScope() { flag_ = false; }
    ShuffleScope(const ShuffleScope&) = delete;
    ShuffleScope& operator=(const ShuffleScope&) = delete;

private:
    bool& flag_;
};

}  // namespace

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

void WordLists::replaceLibrary(std::vector<std::string> entries) {
    if (shuffling_) throw std::logic_error("the word list cannot be replaced while it is being shuffled");
    if (entries.size() > std::numeric_limits<std::uint32_t>::max()) {
        throw std::length_error("the word list is too long");
    }
    Order order(entries.size());
    std::iota(order.begin(), order.end(), 0u);
    libraryStore_ = std::make_shared<const Store>(std::move(entries));
    lst1_ = std::move(order);
}

void WordLists::shuffle(const MessagePump& pump, RandomSource& random) {
    if (shuffling_) return;
    const ShuffleScope scope(shuffling_);

    // First the draws, each after the pump and its own seeding, while lst2
    // stays whole for anything the pump deals. A draw depends only on its
    // seed and on how many entries are left, so it is kept as a rank and
    // resolved afterwards: between two clock reads (which wait for every
    // earlier instruction) the work is then as short as it can be, and the
    // resolving loop runs without them.
    const auto size = static_cast<std::uint32_t>(lst1_.size());
    Order order;
    order.reserve(size);
    for (std::uint32_t left = size; left != 0; --left) {
        if (pump) pump();
        random.randomize();
        order.push_back(random.random(left));
    }
    // Rank among the entries left -> position in lst1.
    RemainingPositions remaining(size);
    for (auto& drawn : order) drawn = remaining.take(drawn);
    // Position -> entry. The reads land all over lst1; asking for them ahead
    // overlaps the cache misses.
    for (std::size_t k = 0; k < order.size(); ++k) {
        if (k + kPrefetchAhead < order.size()) __builtin_prefetch(&lst1_[order[k + kPrefetchAhead]]);
        order[k] = lst1_[order[k]];
    }

    // Equal sizes: the copy reuses lst1's memory and cannot fail.
    lst1_ = order;
    lst2_ = std::move(order);
    dealStore_ = libraryStore_;
}

std::string WordLists::deal() {
    if (lst2_.empty()) throwListIndex(-1);
    std::string entry = (*dealStore_)[lst2_.back()];
    lst2_.pop_back();
    return entry;
}

}  // namespace caici
