#pragma once
// The process-wide pseudo-random source shared by the play order and the
// spray and noise effects: a Mersenne Twister seeded once, from the system's
// entropy, and then left to run. Its draws follow one another in the
// engine's own sequence; re-seeding between draws (from a clock, say) would
// make neighbouring draws nearly repeat and deal the words largely in the
// workbook's order.
//
// A draw below n is exactly uniform: the engine's 32 bits are scaled to n by
// multiplication, and the few draws that would give some values one chance
// more than the others are rejected and drawn again, whatever n is.

#include <cstdint>
#include <random>

namespace caici {

class RandomSource {
public:
    // Seeded from the system's entropy.
    RandomSource();
    // A fixed seed, so that tests see a repeatable sequence.
    explicit RandomSource(std::uint64_t seed);

    void setSeed(std::uint64_t seed);

    // A value from 0 to n - 1, each equally likely; 0 when n is 0.
    std::uint32_t random(std::uint32_t n);

    // Equal sources give the same draws from here on.
    friend bool operator==(const RandomSource&, const RandomSource&) = default;

private:
    std::mt19937 engine_;
};

// The one generator of the process.
RandomSource& processRandom();

}  // namespace caici
