#include "words/play_order.h"

#include "common/errors.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cstdint>
#include <stdexcept>
#include <string>
#include <utility>
#include <vector>

namespace caici {
namespace {

std::vector<WordEntry> numbered(std::size_t n) {
    std::vector<WordEntry> entries;
    entries.reserve(n);
    for (std::size_t i = 0; i < n; ++i) entries.push_back({"词" + std::to_string(i), static_cast<std::int32_t>(i % 7)});
    return entries;
}

// The shuffle in its plain form, on the entries themselves: entry i is drawn
// among the entries from i on and swapped into place i.
std::vector<WordEntry> plainShuffle(std::vector<WordEntry> entries, RandomSource& random) {
    const auto size = static_cast<std::uint32_t>(entries.size());
    for (std::uint32_t i = 0; i < size; ++i) std::swap(entries[i], entries[i + random.random(size - i)]);
    return entries;
}

constexpr std::uint64_t kSeeds[] = {0u, 1u, 12345u, 0x9E3779B97F4A7C15u};

// For every size and seed the play order is the plain shuffle's order of
// the library: the same entries, the same draws, the same places.
TEST(PlayOrderShuffle, MatchesThePlainShuffleOnTheSameSeeds) {
    for (const std::uint32_t size : {0u, 1u, 2u, 3u, 5u, 300u, 4097u, 100000u}) {
        for (const auto seed : kSeeds) {
            SCOPED_TRACE("seed " + std::to_string(seed) + ", " + std::to_string(size) + " entries");
            const auto library = numbered(size);
            RandomSource referenceRandom(seed);
            const auto expected = plainShuffle(library, referenceRandom);

            WordLists lists;
            lists.replaceLibrary(library);
            RandomSource random(seed);
            lists.shuffle(random);
            EXPECT_EQ(lists.playOrder(), expected);
            EXPECT_EQ(lists.library(), expected);
        }
    }
}

// Empty, single and duplicated libraries; the library ends as a copy of the play order.
TEST(PlayOrderShuffle, SmallLibraries) {
    struct Case {
        std::vector<WordEntry> library;
        std::size_t expectedCount;
    };
    const std::vector<Case> cases = {
        {{}, 0},
        {{{"猫", 1}}, 1},
        {{{"猫", 1}, {"猫", 1}}, 2},
        {{{"猫", 1}, {"狗", 2}, {"猫", 1}}, 3},
    };
    for (const auto& c : cases) {
        WordLists lists;
        lists.replaceLibrary(c.library);
        RandomSource random(7);
        lists.shuffle(random);
        EXPECT_EQ(lists.count(), c.expectedCount);
        EXPECT_EQ(lists.library(), lists.playOrder());
        auto sortedLibrary = c.library;
        auto sortedOrder = lists.playOrder();
        std::sort(sortedLibrary.begin(), sortedLibrary.end());
        std::sort(sortedOrder.begin(), sortedOrder.end());
        EXPECT_EQ(sortedOrder, sortedLibrary);
    }
}

// A refill replaces whatever was left and deals the whole library again.
TEST(PlayOrderShuffle, RefillDiscardsTheRestOfTheOldOrder) {
    WordLists lists;
    lists.replaceLibrary(numbered(60));
    RandomSource random(1);
    lists.shuffle(random);
    for (int i = 0; i < 20; ++i) lists.deal();
    lists.shuffle(random);
    EXPECT_EQ(lists.count(), 60u);
    EXPECT_EQ(lists.library().size(), 60u);
}

// A library load replaces the library only: the play order deals its old entries
// until the next refill, which deals the new library.
TEST(PlayOrderShuffle, LoadKeepsTheOldPlayOrderUntilTheNextRefill) {
    const std::vector<WordEntry> oldLibrary = {{"旧一", 1}, {"旧二", 2}};
    const std::vector<WordEntry> newLibrary = {{"新一", 3}, {"新二", 4}, {"新三", 5}};
    WordLists lists;
    lists.replaceLibrary(oldLibrary);
    RandomSource random(3);
    lists.shuffle(random);
    const auto oldOrder = lists.playOrder();
    lists.replaceLibrary(newLibrary);
    EXPECT_EQ(lists.library(), newLibrary);
    EXPECT_EQ(lists.playOrder(), oldOrder);
    EXPECT_EQ(lists.deal(), oldOrder.back());
    lists.shuffle(random);
    auto refilled = lists.playOrder();
    const auto next = refilled.back();
    std::sort(refilled.begin(), refilled.end());
    auto sortedNew = newLibrary;
    std::sort(sortedNew.begin(), sortedNew.end());
    EXPECT_EQ(refilled, sortedNew);
    EXPECT_EQ(lists.deal(), next);
}

// Deals come from the end and an empty play order fails like a list read.
TEST(PlayOrderDeal, TakesTheLastEntryAndFailsWhenEmpty) {
    WordLists lists;
    lists.replaceLibrary({{"甲", 1}, {"乙", 2}});
    RandomSource random(4);
    lists.shuffle(random);
    const auto order = lists.playOrder();
    EXPECT_EQ(lists.deal(), order[1]);
    EXPECT_EQ(lists.deal(), order[0]);
    EXPECT_EQ(lists.count(), 0u);
    EXPECT_EQ(lists.library().size(), 2u);
    try {
        lists.deal();
        FAIL() << "dealing from an empty play order must fail";
    } catch (const EListError& error) {
        EXPECT_STREQ(error.what(), "List index out of bounds (-1)");
    }
}

// Fewer than 50 entries left asks for a refill; 50 do not.
TEST(PlayOrderDeal, RefillThresholdIsFifty) {
    WordLists lists;
    lists.replaceLibrary(numbered(51));
    EXPECT_TRUE(lists.needsRefill());
    RandomSource random(5);
    lists.shuffle(random);
    EXPECT_FALSE(lists.needsRefill());
    lists.deal();
    EXPECT_EQ(lists.count(), 50u);
    EXPECT_FALSE(lists.needsRefill());
    lists.deal();
    EXPECT_EQ(lists.count(), 49u);
    EXPECT_TRUE(lists.needsRefill());
}

// The entries kept stay in their order; a filter that would leave none
// leaves the play order whole (better a word again than no word at all).
TEST(PlayOrderKeepOnly, KeepsTheOrderAndNeverEmptiesIt) {
    WordLists lists;
    lists.replaceLibrary({{"甲", 1}, {"乙", 2}, {"丙", 3}, {"丁", 4}});
    RandomSource random(6);
    lists.shuffle(random);
    const auto order = lists.playOrder();
    const struct {
        const char* name;
        std::vector<WordEntry> dropped;
    } cases[] = {
        {"none dropped", {}},
        {"two dropped", {{"乙", 2}, {"丁", 4}}},
        {"all dropped", {{"甲", 1}, {"乙", 2}, {"丙", 3}, {"丁", 4}}},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        WordLists filtered = lists;
        filtered.keepOnly([&](const WordEntry& entry) {
            return std::find(c.dropped.begin(), c.dropped.end(), entry) == c.dropped.end();
        });
        std::vector<WordEntry> expected;
        for (const auto& entry : order) {
            if (std::find(c.dropped.begin(), c.dropped.end(), entry) == c.dropped.end()) expected.push_back(entry);
        }
        if (expected.empty()) expected = order;
        EXPECT_EQ(filtered.playOrder(), expected);
    }
}

// The next words on offer are exactly those the next deals give, as many as
// asked for or as are left.
TEST(PlayOrderDeal, UpcomingAreTheNextDealsInOrder) {
    for (const std::size_t asked : {0u, 1u, 3u, 5u, 8u}) {
        SCOPED_TRACE(asked);
        WordLists lists;
        lists.replaceLibrary({{"甲", 1}, {"乙", 2}, {"丙", 3}, {"丁", 4}, {"戊", 5}});
        RandomSource random(8);
        lists.shuffle(random);
        const auto upcoming = lists.upcoming(asked);
        ASSERT_EQ(upcoming.size(), std::min<std::size_t>(asked, 5));
        for (const auto& entry : upcoming) EXPECT_EQ(lists.deal(), entry);
    }
}

// Categories that do not fit the entries are refused, and the library in
// place stays.
TEST(PlayOrderLibrary, CategoriesThatDoNotFitAreRefused) {
    const struct {
        const char* name;
        std::vector<std::string> categories;
        bool taken;
    } cases[] = {
        {"one category each", {"动物", "食物"}, true},
        {"an entry's category missing", {"动物"}, false},
        {"no categories", {}, false},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        WordLists lists;
        lists.replaceLibrary({{"旧", 1}});
        const std::vector<WordEntry> entries = {{"猫", 1, "动物", 2}, {"饺子", 2, "食物", 2}};
        if (c.taken) {
            lists.replaceLibrary(entries, c.categories);
            EXPECT_EQ(lists.library(), entries);
        } else {
            EXPECT_THROW(lists.replaceLibrary(entries, c.categories), std::invalid_argument);
            EXPECT_EQ(lists.library(), (std::vector<WordEntry>{{"旧", 1}}));
        }
    }
}

}  // namespace
}  // namespace caici
