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

    // lst1 cannot change while the pump runs (replaceLibrary refuses), so it
    // is read in place; lst2 is left whole for anything the pump deals.
    RemainingPositions remaining(static_cast<std::uint32_t>(lst1_.size()));
    Order order;
    order.reserve(lst1_.size());
    while (remaining.remaining() != 0) {
        if (pump) pump();
        random.randomize();
        order.push_back(lst1_[remaining.take(random.random(remaining.remaining()))]);
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
