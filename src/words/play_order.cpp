#include "words/play_order.h"

#include "common/errors.h"
#include "words/remaining_positions.h"

#include <cstdint>
#include <limits>
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

void WordLists::replaceLibrary(std::vector<std::string> entries) {
    if (shuffling_) throw std::logic_error("the word list cannot be replaced while it is being shuffled");
    lst1_ = std::move(entries);
}

void WordLists::shuffle(const MessagePump& pump, RandomSource& random) {
    if (shuffling_) return;
    if (lst1_.size() > std::numeric_limits<std::uint32_t>::max()) {
        throw std::length_error("the word list is too long to shuffle");
    }
    const ShuffleScope scope(shuffling_);

    const auto size = static_cast<std::uint32_t>(lst1_.size());
    RemainingPositions remaining(size);
    std::vector<std::uint32_t> drawn;
    drawn.reserve(size);
    while (remaining.remaining() != 0) {
        if (pump) pump();
        random.randomize();
        drawn.push_back(remaining.take(random.random(remaining.remaining())));
    }

    // Only now, with no pump left to run, are the lists touched.
    std::vector<std::string> order;
    order.reserve(size);
    for (const std::uint32_t position : drawn) order.push_back(std::move(lst1_[position]));
    lst1_ = order;
    lst2_ = std::move(order);
}

std::string WordLists::deal() {
    if (lst2_.empty()) throwListIndex(-1);
    std::string entry = std::move(lst2_.back());
    lst2_.pop_back();
    return entry;
}

}  // namespace caici
