#include "words/remaining_positions.h"

#include <bit>

namespace caici {

RemainingPositions::RemainingPositions(std::uint32_t size)
    : counts_(static_cast<std::size_t>(size) + 1),
      topStep_(size == 0 ? 0 : std::bit_floor(size)),
      remaining_(size) {
    // With every position present, node k covers exactly lowbit(k) positions.
    for (std::uint32_t k = 1; k <= size; ++k) counts_[k] = k & (0u - k);
}

std::uint32_t RemainingPositions::take(std::uint32_t rank) {
    // Descend from the widest node. A node that is not skipped holds the
    // wanted position, and those nodes are exactly the ones whose count drops,
    // so the search and the removal are one pass.
    std::uint32_t base = 0;
    std::uint32_t wanted = rank + 1;
    const auto size = static_cast<std::uint32_t>(counts_.size() - 1);
    for (std::uint32_t step = topStep_; step != 0; step >>= 1) {
        const std::uint32_t node = base + step;
        if (node > size) continue;
        if (counts_[node] < wanted) {
            wanted -= counts_[node];
            base = node;
        } else {
            --counts_[node];
        }
    }
    --remaining_;
    return base;
}

}  // namespace caici
