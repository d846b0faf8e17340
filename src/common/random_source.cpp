#include "common/random_source.h"

#include <chrono>
#include <utility>

namespace caici {

RandomSource::RandomSource(SeedSource seedSource) : seedSource_(std::move(seedSource)) {}

void RandomSource::randomize() { state_ = seedSource_ ? seedSource_() : clockSeed(); }

std::uint32_t RandomSource::random(std::uint32_t n) {
    state_ = state_ * 134775813u + 1u;
    return static_cast<std::uint32_t>((static_cast<std::uint64_t>(state_) * n) >> 32);
}

std::uint32_t RandomSource::clockSeed() {
    const auto ticks = std::chrono::steady_clock::now().time_since_epoch().count();
    return static_cast<std::uint32_t>(static_cast<std::uint64_t>(ticks));
}

RandomSource& processRandom() {
    static RandomSource source;
    return source;
}

}  // namespace caici
