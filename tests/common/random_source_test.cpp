#include "common/random_source.h"

#include <gtest/gtest.h>

#include <cstdint>
#include <vector>

namespace caici {
namespace {

std::vector<std::uint32_t> draws(RandomSource& source, std::uint32_t below, int count) {
    std::vector<std::uint32_t> values;
    for (int i = 0; i < count; ++i) values.push_back(source.random(below));
    return values;
}

// A seed fixes the whole sequence, and setting it again starts it over.
TEST(RandomSource, SeedFixesTheSequence) {
    RandomSource a(42);
    RandomSource b(42);
    EXPECT_TRUE(a == b);
    const auto first = draws(a, 1000, 50);
    EXPECT_EQ(draws(b, 1000, 50), first);
    EXPECT_NE(draws(a, 1000, 50), first);

    a.setSeed(42);
    EXPECT_EQ(draws(a, 1000, 50), first);
    RandomSource other(43);
    EXPECT_NE(draws(other, 1000, 50), first);
}

// Two games started one after the other do not share a sequence.
TEST(RandomSource, UnseededSourcesDiffer) {
    RandomSource a;
    RandomSource b;
    EXPECT_FALSE(a == b);
    EXPECT_NE(draws(a, 1u << 31, 8), draws(b, 1u << 31, 8));
}

TEST(RandomSource, DrawsStayBelowTheLimitAndZeroOrOneGiveZero) {
    RandomSource source(12345);
    for (const std::uint32_t below : {2u, 7u, 1000u, 0xFFFFFFFFu}) {
        for (const auto value : draws(source, below, 1000)) EXPECT_LT(value, below) << below;
    }
    for (const auto value : draws(source, 0, 10)) EXPECT_EQ(value, 0u);
    for (const auto value : draws(source, 1, 10)) EXPECT_EQ(value, 0u);
}

// Below n = 3 * 2^30 a plain modulo would make the values under 2^30 twice as
// likely as the others, and plain scaling would do the same to the multiples
// of 3; both shares must be a third.
TEST(RandomSource, DrawsBelowALargeLimitAreUnbiased) {
    RandomSource source(7);
    constexpr std::uint32_t kBelow = 3u << 30;
    constexpr int kDraws = 300000;
    int low = 0;
    int multipleOfThree = 0;
    for (const auto value : draws(source, kBelow, kDraws)) {
        low += value < (1u << 30) ? 1 : 0;
        multipleOfThree += value % 3 == 0 ? 1 : 0;
    }
    // A third of 300000 with a standard deviation of 258; the biased shares
    // would be a half.
    EXPECT_NEAR(low, kDraws / 3, 2000);
    EXPECT_NEAR(multipleOfThree, kDraws / 3, 2000);
}

}  // namespace
}  // namespace caici
