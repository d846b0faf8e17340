#include "words/play_order.h"

#include "common/errors.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cstdint>
#include <functional>
#include <string>
#include <vector>

namespace caici {
namespace {

constexpr std::uint32_t kMultiplier = 134775813u;

// Modular inverse of the generator's multiplier (odd, so it has one mod 2^32).
std::uint32_t inverseMultiplier() {
    std::uint32_t inverse = 1;
    for (int i = 0; i < 5; ++i) inverse *= 2u - kMultiplier * inverse;
    return inverse;
}

// The seed whose first draw has the given state after advancing.
std::uint32_t seedGivingState(std::uint32_t state) { return (state - 1u) * inverseMultiplier(); }

std::vector<std::string> numbered(std::size_t n) {
    std::vector<std::string> entries;
    entries.reserve(n);
    for (std::size_t i = 0; i < n; ++i) entries.push_back("词" + std::to_string(i) + "|" + std::to_string(i % 7));
    return entries;
}

// The shuffle as the design states it: seed, draw an index, append it, remove
// it and move up the entries behind. Positions instead of texts keep the
// quadratic removal cheap enough for 10^5 entries.
std::vector<std::uint32_t> removeAndShift(std::uint32_t size, RandomSource& random) {
    std::vector<std::uint32_t> left(size);
    for (std::uint32_t i = 0; i < size; ++i) left[i] = i;
    std::vector<std::uint32_t> order;
    while (!left.empty()) {
        random.randomize();
        const auto i = random.random(static_cast<std::uint32_t>(left.size()));
        order.push_back(left[i]);
        left.erase(left.begin() + i);
    }
    return order;
}

struct SeedCase {
    const char* name;
    std::function<RandomSource::SeedSource()> makeSource;
};

const std::vector<SeedCase>& seedCases() {
    static const std::vector<SeedCase> cases = {
        {"counting", [] { return [n = 0u]() mutable { return n++; }; }},
        {"scattered", [] { return [n = 0x9E3779B9u]() mutable { return n = n * 2654435761u + 40503u; }; }},
        // A coarse clock hands out the same seed many times in a row.
        {"stuck clock", [] { return [n = 0u]() mutable { return (n++ / 37u) * 977u; }; }},
        {"always first", [] { return [] { return seedGivingState(0u); }; }},
        {"always last", [] { return [] { return seedGivingState(0xFFFFFFFFu); }; }},
    };
    return cases;
}

void expectSameAsRemoveAndShift(std::uint32_t size, const SeedCase& seeds) {
    SCOPED_TRACE(std::string(seeds.name) + ", " + std::to_string(size) + " entries");
    const auto library = numbered(size);
    RandomSource referenceRandom(seeds.makeSource());
    std::vector<std::string> expected;
    for (const auto p : removeAndShift(size, referenceRandom)) expected.push_back(library[p]);

    WordLists lists;
    lists.replaceLibrary(library);
    RandomSource random(seeds.makeSource());
    lists.shuffle({}, random);
    EXPECT_EQ(lists.lst2(), expected);
    EXPECT_EQ(lists.lst1(), expected);
}

// For every size and seed sequence the play order is the one remove-and-shift
// gives. The sizes cross the shuffle's block boundaries (64, 256, powers of 16).
TEST(PlayOrderShuffle, MatchesRemoveAndShiftOnTheSameSeeds) {
    for (const std::uint32_t size : {0u, 1u, 2u, 3u, 5u, 63u, 64u, 65u, 256u, 257u, 1000u, 4097u, 20000u}) {
        for (const auto& seeds : seedCases()) expectSameAsRemoveAndShift(size, seeds);
    }
}

// A large library: the reference is quadratic, so one seed sequence.
TEST(PlayOrderShuffle, MatchesRemoveAndShiftOnALargeLibrary) {
    expectSameAsRemoveAndShift(100000, seedCases()[1]);
}

// Drawing index 0 every time keeps the order, drawing the last one reverses it.
TEST(PlayOrderShuffle, ExtremeDrawsGiveKnownOrders) {
    const auto library = numbered(300);
    WordLists lists;
    lists.replaceLibrary(library);
    RandomSource first([] { return seedGivingState(0u); });
    lists.shuffle({}, first);
    EXPECT_EQ(lists.lst2(), library);

    RandomSource last([] { return seedGivingState(0xFFFFFFFFu); });
    lists.shuffle({}, last);
    EXPECT_EQ(lists.lst2(), std::vector<std::string>(library.rbegin(), library.rend()));
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
        RandomSource random([n = 7u]() mutable { return n += 12345u; });
        lists.shuffle({}, random);
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
    RandomSource random([n = 1u]() mutable { return n *= 69069u; });
    lists.shuffle({}, random);
    for (int i = 0; i < 20; ++i) lists.deal();
    lists.shuffle({}, random);
    EXPECT_EQ(lists.count(), 60u);
    EXPECT_EQ(lists.lst1().size(), 60u);
}

// A library load replaces lst1 only: the play order deals its old entries
// until the next refill, which deals the new library.
TEST(PlayOrderShuffle, LoadKeepsTheOldPlayOrderUntilTheNextRefill) {
    WordLists lists;
    lists.replaceLibrary({"旧一|1", "旧二|2"});
    RandomSource random([] { return seedGivingState(0u); });
    lists.shuffle({}, random);
    lists.replaceLibrary({"新一|3", "新二|4", "新三|5"});
    EXPECT_EQ(lists.lst1(), (std::vector<std::string>{"新一|3", "新二|4", "新三|5"}));
    EXPECT_EQ(lists.lst2(), (std::vector<std::string>{"旧一|1", "旧二|2"}));
    EXPECT_EQ(lists.deal(), "旧二|2");
    lists.shuffle({}, random);
    EXPECT_EQ(lists.lst2(), (std::vector<std::string>{"新一|3", "新二|4", "新三|5"}));
    EXPECT_EQ(lists.deal(), "新三|5");
}

// The pump runs once per draw, before the draw's seeding.
TEST(PlayOrderShuffle, PumpRunsOncePerDrawBeforeSeeding) {
    WordLists lists;
    lists.replaceLibrary(numbered(25));
    std::vector<std::string> events;
    RandomSource random([&] {
        events.push_back("seed");
        return 3u;
    });
    lists.shuffle([&] { events.push_back("pump"); }, random);
    ASSERT_EQ(events.size(), 50u);
    for (std::size_t i = 0; i < events.size(); i += 2) {
        EXPECT_EQ(events[i], "pump");
        EXPECT_EQ(events[i + 1], "seed");
    }
}

// Deals come from the end and an empty play order fails like a list read.
TEST(PlayOrderDeal, TakesTheLastEntryAndFailsWhenEmpty) {
    WordLists lists;
    lists.replaceLibrary({"甲|1", "乙|2"});
    RandomSource random([] { return seedGivingState(0u); });
    lists.shuffle({}, random);
    EXPECT_EQ(lists.deal(), "乙|2");
    EXPECT_EQ(lists.deal(), "甲|1");
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
    RandomSource random([] { return 5u; });
    lists.shuffle({}, random);
    EXPECT_FALSE(lists.needsRefill());
    lists.deal();
    EXPECT_EQ(lists.count(), 50u);
    EXPECT_FALSE(lists.needsRefill());
    lists.deal();
    EXPECT_EQ(lists.count(), 49u);
    EXPECT_TRUE(lists.needsRefill());
}

// A press handled inside the shuffle deals from the complete old order, and
// the new order still holds the whole library exactly once.
TEST(PlayOrderDuringShuffle, DealSeesTheOldOrderAndNothingIsLost) {
    WordLists lists;
    lists.replaceLibrary(numbered(10));
    RandomSource random([n = 11u]() mutable { return n += 977u; });
    lists.shuffle({}, random);
    for (int i = 0; i < 5; ++i) lists.deal();
    const auto oldOrder = lists.lst2();
    lists.replaceLibrary(numbered(100));

    std::vector<std::string> dealtInside;
    std::vector<std::size_t> countsInside;
    bool busyInside = false;
    int pumps = 0;
    lists.shuffle(
        [&] {
            busyInside = lists.busy();
            countsInside.push_back(lists.count());
            if (++pumps % 30 == 0) dealtInside.push_back(lists.deal());
        },
        random);

    EXPECT_TRUE(busyInside);
    EXPECT_FALSE(lists.busy());
    EXPECT_EQ(countsInside.front(), 5u);
    ASSERT_EQ(dealtInside.size(), 3u);
    EXPECT_EQ(dealtInside, (std::vector<std::string>{oldOrder[4], oldOrder[3], oldOrder[2]}));

    auto sorted = lists.lst2();
    auto library = numbered(100);
    std::sort(sorted.begin(), sorted.end());
    std::sort(library.begin(), library.end());
    EXPECT_EQ(sorted, library);
    EXPECT_EQ(lists.lst1(), lists.lst2());
}

// Nested shuffles are ignored, a library load cannot cut in, and a failing
// pump leaves both lists as they were.
TEST(PlayOrderDuringShuffle, ReentryIsRefusedAndFailureChangesNothing) {
    WordLists lists;
    lists.replaceLibrary(numbered(8));
    RandomSource random([n = 3u]() mutable { return n += 101u; });

    int pumps = 0;
    bool replaceRefused = false;
    lists.shuffle(
        [&] {
            ++pumps;
            lists.shuffle({}, random);
            try {
                lists.replaceLibrary({"新|1"});
            } catch (const std::logic_error&) {
                replaceRefused = true;
            }
        },
        random);
    EXPECT_EQ(pumps, 8);
    EXPECT_TRUE(replaceRefused);
    EXPECT_EQ(lists.count(), 8u);

    const auto lst1Before = lists.lst1();
    lists.deal();
    const auto lst2Before = lists.lst2();
    struct PumpFailure {};
    int calls = 0;
    EXPECT_THROW(lists.shuffle([&] { if (++calls == 4) throw PumpFailure{}; }, random), PumpFailure);
    EXPECT_FALSE(lists.busy());
    EXPECT_EQ(lists.lst1(), lst1Before);
    EXPECT_EQ(lists.lst2(), lst2Before);
}

}  // namespace
}  // namespace caici
