#pragma once
// The positions of a list that have not been drawn yet, kept in a Fenwick tree
// of counts so that "the i-th position still remaining" is found and taken in
// O(log n). Drawing the i-th remaining position is exactly what removing
// entry i from the list and moving up the entries behind it does, without the
// move.

#include <cstdint>
#include <vector>

namespace caici {

class RemainingPositions {
public:
    // Positions 0 .. size - 1, all remaining.
    explicit RemainingPositions(std::uint32_t size);

    std::uint32_t remaining() const { return remaining_; }

    // Takes the rank-th remaining position (0 is the first) and returns it.
    // rank must be below remaining().
    std::uint32_t take(std::uint32_t rank);

private:
    // counts_[k] (1-based) counts the remaining positions in (k - lowbit(k), k].
    std::vector<std::uint32_t> counts_;
    std::uint32_t topStep_ = 0;
    std::uint32_t remaining_ = 0;
};

}  // namespace caici
