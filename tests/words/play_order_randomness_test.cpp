#include "words/play_order.h"

#include <gtest/gtest.h>

#include <array>
#include <cstdint>
#include <cstdlib>
#include <string>
#include <vector>

namespace caici {
namespace {

// Entries that know their row in the workbook, so an order reads back as rows.
std::vector<WordEntry> rows(int n) {
    std::vector<WordEntry> entries;
    for (int i = 0; i < n; ++i) entries.push_back({std::to_string(i), 1, {}, static_cast<std::uint32_t>(i)});
    return entries;
}

std::vector<int> shuffledRows(WordLists& lists, int n, RandomSource& random) {
    lists.replaceLibrary(rows(n));
    lists.shuffle(random);
    std::vector<int> order;
    for (const auto& entry : lists.playOrder()) order.push_back(static_cast<int>(entry.row));
    return order;
}

// Consecutive words of a shuffled library keep the workbook's order half of
// the time and lie a third of the library apart, as in a random order.
TEST(PlayOrderRandomness, ConsecutiveWordsDoNotFollowTheWorkbook) {
    constexpr int kWords = 200;
    constexpr int kShuffles = 200;
    RandomSource random(2024);
    WordLists lists;
    long pairs = 0;
    long ascending = 0;
    long jumps = 0;
    for (int s = 0; s < kShuffles; ++s) {
        const auto order = shuffledRows(lists, kWords, random);
        for (std::size_t k = 1; k < order.size(); ++k) {
            ++pairs;
            ascending += order[k] > order[k - 1] ? 1 : 0;
            jumps += std::abs(order[k] - order[k - 1]);
        }
    }
    // Over 39800 pairs a random order has standard deviations of 0.15 % for
    // the ascending share and 0.0012 for the mean jump, (n + 1) / 3n; the
    // bounds are seven of them.
    EXPECT_NEAR(100.0 * static_cast<double>(ascending) / static_cast<double>(pairs), 50.0, 1.0);
    EXPECT_NEAR(static_cast<double>(jumps) / static_cast<double>(pairs) / kWords, (kWords + 1.0) / (3.0 * kWords),
                0.01);
}

// Every word is equally likely at every place of the play order: a
// chi-square test of the places of seven words over 35000 shuffles.
TEST(PlayOrderRandomness, EveryPlaceIsEquallyLikelyForEveryWord) {
    constexpr int kWords = 7;
    constexpr int kShuffles = 35000;
    RandomSource random(99);
    WordLists lists;
    std::array<std::array<int, kWords>, kWords> counts{};
    for (int s = 0; s < kShuffles; ++s) {
        const auto order = shuffledRows(lists, kWords, random);
        for (int place = 0; place < kWords; ++place) ++counts[order[place]][place];
    }
    const double expected = static_cast<double>(kShuffles) / kWords;
    double chiSquare = 0;
    for (const auto& places : counts) {
        for (const int count : places) chiSquare += (count - expected) * (count - expected) / expected;
    }
    // Each shuffle puts exactly one word at each place, so the rows and
    // columns of the table are fixed and the sum is k / (k - 1) times a
    // chi-square of (k - 1)^2 = 36 degrees of freedom. A uniform shuffle
    // takes that past 100 with a probability below 10^-7.
    EXPECT_LT(chiSquare * (kWords - 1) / kWords, 100.0);
}

}  // namespace
}  // namespace caici
