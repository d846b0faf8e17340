#include "common/random_source.h"

#include <gtest/gtest.h>

namespace caici {
namespace {

// The generator is state * 134775813 + 1; a draw is the upper half of state * n.
TEST(RandomSource, FollowsTheLinearCongruentialRule) {
    RandomSource source([] { return 0u; });
    source.randomize();
    EXPECT_EQ(source.random(100), static_cast<std::uint32_t>((1ull * 100) >> 32));
    EXPECT_EQ(source.seed(), 1u);
    source.random(100);
    EXPECT_EQ(source.seed(), 134775814u);

    source.setSeed(0xFFFFFFFFu);
    const std::uint32_t next = 0xFFFFFFFFu * 134775813u + 1u;
    EXPECT_EQ(source.random(1000), static_cast<std::uint32_t>((std::uint64_t{next} * 1000) >> 32));
}

TEST(RandomSource, DrawsStayBelowTheLimitAndZeroStillAdvances) {
    RandomSource source([] { return 12345u; });
    source.randomize();
    for (int i = 0; i < 1000; ++i) EXPECT_LT(source.random(7), 7u);
    const auto before = source.seed();
    EXPECT_EQ(source.random(0), 0u);
    EXPECT_NE(source.seed(), before);
}

TEST(RandomSource, InjectedSeedSourceIsUsedOnEveryRandomize) {
    std::uint32_t next = 10;
    RandomSource source([&] { return next++; });
    source.randomize();
    EXPECT_EQ(source.seed(), 10u);
    source.randomize();
    EXPECT_EQ(source.seed(), 11u);
}

}  // namespace
}  // namespace caici
