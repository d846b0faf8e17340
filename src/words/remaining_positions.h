#pragma once
// The positions of a list that have not been drawn yet. Drawing the i-th
// remaining position is exactly what removing entry i from the list and moving
// up the entries behind it does, without the move.
//
// One bit per position, and a Fenwick tree of the counts of leaves of 256
// positions: finding and taking the i-th remaining position is a descent of
// the tree, then a select among the leaf's four 64-bit words, O(log n) in all.
// A million positions need 125 KB of bits and 16 KB of counts, so the tree's
// chain of dependent reads stays in the first-level cache.

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
    // Bit b of words_[w] stands for position 64 w + b; whole leaves only.
    std::vector<std::uint64_t> words_;
    // A Fenwick tree over treeSize_ leaves: leafCounts_[k] (1-based) counts
    // the remaining positions of leaves (k - lowbit(k), k].
    std::vector<std::uint32_t> leafCounts_;
    std::uint32_t treeSize_ = 0;
    std::uint32_t remaining_ = 0;
};

}  // namespace caici
