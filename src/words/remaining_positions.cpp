#include "words/remaining_positions.h"

#include <array>
#include <bit>

namespace caici {
namespace {

constexpr std::uint32_t kWordBits = 64;
constexpr std::uint32_t kLeafWords = 4;
constexpr std::uint32_t kLeafBits = kWordBits * kLeafWords;
constexpr std::uint64_t kByteOnes = 0x0101010101010101u;
constexpr std::uint64_t kByteHighBits = 0x8080808080808080u;

// kSelectInByte[b][r]: the position of the r-th set bit of the byte b.
constexpr auto kSelectInByte = [] {
    std::array<std::array<std::uint8_t, 8>, 256> table{};
    for (unsigned byte = 0; byte < 256; ++byte) {
        unsigned rank = 0;
        for (unsigned bit = 0; bit < 8; ++bit) {
            if ((byte >> bit) & 1u) table[byte][rank++] = static_cast<std::uint8_t>(bit);
        }
    }
    return table;
}();

// The set bits of each byte, in that byte.
std::uint64_t byteCounts(std::uint64_t bits) {
    std::uint64_t counts = bits - ((bits >> 1) & 0x5555555555555555u);
    counts = (counts & 0x3333333333333333u) + ((counts >> 2) & 0x3333333333333333u);
    return (counts + (counts >> 4)) & 0x0F0F0F0F0F0F0F0Fu;
}

// Inline, where a baseline x86-64 build would call a library routine.
std::uint32_t countBits(std::uint64_t bits) { return static_cast<std::uint32_t>((byteCounts(bits) * kByteOnes) >> 56); }

// The ranks are random, so every branch below would be a coin toss; the
// selects are written without branches.

// The position of the rank-th set bit of bits (rank below its bit count):
// running sums of the byte counts in each byte (at most 64, so no byte
// overflows), the byte holding the bit, then a table within the byte.
std::uint32_t selectBit(std::uint64_t bits, std::uint32_t rank) {
    const std::uint64_t runningSums = byteCounts(bits) * kByteOnes;
    // A byte's high bit survives when rank >= its running sum; rank + 128
    // minus a sum of at most 64 never borrows from the next byte.
    const std::uint64_t passed = ((rank * kByteOnes) | kByteHighBits) - runningSums;
    const auto byteIndex = static_cast<std::uint32_t>((((passed & kByteHighBits) >> 7) * kByteOnes) >> 56);
    const auto before = static_cast<std::uint32_t>(((runningSums << 8) >> (8 * byteIndex)) & 0xFF);
    const auto byte = static_cast<std::uint8_t>(bits >> (8 * byteIndex));
    return 8 * byteIndex + kSelectInByte[byte][rank - before];
}

}  // namespace

RemainingPositions::RemainingPositions(std::uint32_t size) : remaining_(size) {
    const std::uint32_t leafCount = (size + kLeafBits - 1) / kLeafBits;
    words_.assign(static_cast<std::size_t>(leafCount) * kLeafWords, 0);
    for (std::uint32_t w = 0; w < size / kWordBits; ++w) words_[w] = ~std::uint64_t{0};
    if (size % kWordBits != 0) words_[size / kWordBits] = (std::uint64_t{1} << (size % kWordBits)) - 1;

    // The tree spans a power of two of leaves, so the descent needs no bounds
    // test; the leaves past the end are empty and never reached, since the
    // rank asked for is always below the count of the real ones.
    treeSize_ = leafCount == 0 ? 0 : std::bit_ceil(leafCount);
    leafCounts_.assign(static_cast<std::size_t>(treeSize_) + 1, 0);
    for (std::uint32_t k = 1; k <= treeSize_; ++k) {
        if (k <= leafCount) {
            for (std::uint32_t w = 0; w < kLeafWords; ++w) leafCounts_[k] += countBits(words_[(k - 1) * kLeafWords + w]);
        }
        const std::uint32_t parent = k + (k & (0u - k));
        if (parent <= treeSize_) leafCounts_[parent] += leafCounts_[k];
    }
}

std::uint32_t RemainingPositions::take(std::uint32_t rank) {
    // Descend from the widest node. A node that is not stepped over holds the
    // wanted position, and those nodes are exactly the ones whose count drops,
    // so the search and the removal are one pass.
    std::uint32_t leaf = 0;
    std::uint32_t wanted = rank;
    for (std::uint32_t step = treeSize_; step != 0; step >>= 1) {
        const std::uint32_t node = leaf + step;
        const std::uint32_t count = leafCounts_[node];
        const std::uint32_t over = count <= wanted ? 1u : 0u;
        wanted -= count & (0u - over);
        leaf += step & (0u - over);
        leafCounts_[node] = count - (1u - over);
    }

    std::uint64_t* const words = &words_[static_cast<std::size_t>(leaf) * kLeafWords];
    std::array<std::uint32_t, kLeafWords> before{};
    for (std::uint32_t w = 1; w < kLeafWords; ++w) before[w] = before[w - 1] + countBits(words[w - 1]);
    std::uint32_t word = 0;
    for (std::uint32_t w = 1; w < kLeafWords; ++w) word += wanted >= before[w] ? 1u : 0u;

    const std::uint32_t bit = selectBit(words[word], wanted - before[word]);
    words[word] &= ~(std::uint64_t{1} << bit);
    --remaining_;
    return (leaf * kLeafWords + word) * kWordBits + bit;
}

}  // namespace caici
