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

std::vector<std::string> numbered(std::size_t n) {
    std::vector<std::string> entries;
    entries.reserve(n);
    for (std::size_t i = 0; i < n; ++i) entries.push_back("词" + std::to_string(i) + "|" + std::to_string(i % 7));
    return entries;
}

// The shuffle in its plain form, on the texts themselves: entry i is drawn
// among the entries from i on and swapped into place i.
std::vector<std::string> plainShuffle(std::vector<std::string> entries, RandomSource& random) {
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
            EXPECT_EQ(lists.lst2(), expected);
            EXPECT_EQ(lists.lst1(), expected);
        }
    }
}

// Empty, single and duplicated libraries; lst1 ends as a copy of lst2.
TEST(PlayOrderShuffle, SmallLibraries) {
    struct Case {
        std::vector<std::string> library;
        std::size_t expectedCount;
    };
    const std::vector<Case> cases = {
        {{}, 0},
        {{"猫|1"}, 1},
        {{"猫|1", "猫|1"}, 2},
        {{"猫|1", "狗|2", "猫|1"}, 3},
    };
    for (const auto& c : cases) {
        WordLists lists;
        lists.replaceLibrary(c.library);
        RandomSource random(7);
        lists.shuffle(random);
        EXPECT_EQ(lists.count(), c.expectedCount);
        EXPECT_EQ(lists.lst1(), lists.lst2());
        auto sortedLibrary = c.library;
        auto sortedOrder = lists.lst2();
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
    EXPECT_EQ(lists.lst1().size(), 60u);
}

// A library load replaces lst1 only: the play order deals its old entries
// until the next refill, which deals the new library.
TEST(PlayOrderShuffle, LoadKeepsTheOldPlayOrderUntilTheNextRefill) {
    const std::vector<std::string> oldLibrary = {"旧一|1", "旧二|2"};
    const std::vector<std::string> newLibrary = {"新一|3", "新二|4", "新三|5"};
    WordLists lists;
    lists.replaceLibrary(oldLibrary);
    RandomSource random(3);
    lists.shuffle(random);
    const auto oldOrder = lists.lst2();
    lists.replaceLibrary(newLibrary);
    EXPECT_EQ(lists.lst1(), newLibrary);
    EXPECT_EQ(lists.lst2(), oldOrder);
    EXPECT_EQ(lists.deal(), oldOrder.back());
    lists.shuffle(random);
    auto refilled = lists.lst2();
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
    lists.replaceLibrary({"甲|1", "乙|2"});
    RandomSource random(4);
    lists.shuffle(random);
    const auto order = lists.lst2();
    EXPECT_EQ(lists.deal(), order[1]);
    EXPECT_EQ(lists.deal(), order[0]);
    EXPECT_EQ(lists.count(), 0u);
    EXPECT_EQ(lists.lst1().size(), 2u);
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
    lists.replaceLibrary({"甲|1", "乙|2", "丙|3", "丁|4"});
    RandomSource random(6);
    lists.shuffle(random);
    const auto order = lists.lst2();
    const struct {
        const char* name;
        std::vector<std::string> dropped;
    } cases[] = {
        {"none dropped", {}},
        {"two dropped", {"乙|2", "丁|4"}},
        {"all dropped", {"甲|1", "乙|2", "丙|3", "丁|4"}},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        WordLists filtered = lists;
        filtered.keepOnly([&](const std::string& entry) {
            return std::find(c.dropped.begin(), c.dropped.end(), entry) == c.dropped.end();
        });
        std::vector<std::string> expected;
        for (const auto& entry : order) {
            if (std::find(c.dropped.begin(), c.dropped.end(), entry) == c.dropped.end()) expected.push_back(entry);
        }
        if (expected.empty()) expected = order;
        EXPECT_EQ(filtered.lst2(), expected);
    }
}

// The next words on offer are exactly those the next deals give, as many as
// asked for or as are left.
TEST(PlayOrderDeal, UpcomingAreTheNextDealsInOrder) {
    for (const std::size_t asked : {0u, 1u, 3u, 5u, 8u}) {
        SCOPED_TRACE(asked);
        WordLists lists;
        lists.replaceLibrary({"甲|1", "乙|2", "丙|3", "丁|4", "戊|5"});
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
        std::vector<std::uint32_t> categoryOf;
        bool taken;
    } cases[] = {
        {"one category each", {"动物", "食物"}, {0, 1}, true},
        {"one entry without", {"动物"}, {0}, false},
        {"a category past the last", {"动物"}, {0, 1}, false},
        {"far past the last", {"动物"}, {0, 7}, false},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        WordLists lists;
        lists.replaceLibrary({"旧|1"});
        const std::vector<std::string> entries = {"猫|1", "饺子|2"};
        if (c.taken) {
            lists.replaceLibrary(entries, c.categories, c.categoryOf);
            EXPECT_EQ(lists.lst1(), entries);
        } else {
            EXPECT_THROW(lists.replaceLibrary(entries, c.categories, c.categoryOf), std::invalid_argument);
            EXPECT_EQ(lists.lst1(), std::vector<std::string>{"旧|1"});
        }
    }
}

}  // namespace
}  // namespace caici
