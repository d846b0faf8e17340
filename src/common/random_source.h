#pragma once
// The process-wide pseudo-random source shared by the play order and the
// spray and noise effects. A 32-bit linear congruential generator:
// state := state * 134775813 + 1 (mod 2^32), and a draw below n is the upper
// 32 bits of the 64-bit product state * n. Every draw advances the state, a
// draw below 0 included (it yields 0).

#include <cstdint>
#include <functional>

namespace caici {

class RandomSource {
public:
    using SeedSource = std::function<std::uint32_t()>;

    // Seeds come from the clock unless a test supplies its own source.
    explicit RandomSource(SeedSource seedSource = clockSeed);

    // Seeds the state from the seed source.
    void randomize();
    void setSeed(std::uint32_t seed) { state_ = seed; }
    std::uint32_t seed() const { return state_; }

    // A value from 0 to n - 1; 0 when n is 0.
    std::uint32_t random(std::uint32_t n);

    // The low 32 bits of a monotonic high-resolution clock.
    static std::uint32_t clockSeed();

private:
    std::uint32_t state_ = 0;
    SeedSource seedSource_;
};

// The one generator of the process.
RandomSource& processRandom();

}  // namespace caici
