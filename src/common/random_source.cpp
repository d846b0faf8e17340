#include "common/random_source.h"

#include <array>
#include <chrono>
#include <cstddef>
#include <exception>

namespace caici {
namespace {

constexpr std::size_t kSeedWords = 8;

std::array<std::uint32_t, kSeedWords> entropyWords() {
    std::array<std::uint32_t, kSeedWords> words{};
    try {
        std::random_device device;
        for (auto& word : words) word = device();
    } catch (const std::exception&) {
        // Without an entropy device (a stripped-down container) the clocks
        // still differ from run to run; a weaker seed beats a game that
        // cannot shuffle or draw its effects at all.
        const auto steady = static_cast<std::uint64_t>(std::chrono::steady_clock::now().time_since_epoch().count());
        const auto wall = static_cast<std::uint64_t>(std::chrono::system_clock::now().time_since_epoch().count());
        words = {static_cast<std::uint32_t>(steady), static_cast<std::uint32_t>(steady >> 32),
                 static_cast<std::uint32_t>(wall), static_cast<std::uint32_t>(wall >> 32)};
    }
    return words;
}

}  // namespace

RandomSource::RandomSource() {
    const auto words = entropyWords();
    std::seed_seq sequence(words.begin(), words.end());
    engine_.seed(sequence);
}

RandomSource::RandomSource(std::uint64_t seed) { setSeed(seed); }

void RandomSource::setSeed(std::uint64_t seed) {
    std::seed_seq sequence{static_cast<std::uint32_t>(seed), static_cast<std::uint32_t>(seed >> 32)};
    engine_.seed(sequence);
}

std::uint32_t RandomSource::random(std::uint32_t n) {
    // The upper half of draw * n is the value. Of the 2^32 draws, each value
    // gets floor or ceil of 2^32 / n; the surplus is the products whose lower
    // half is below 2^32 mod n, and those are drawn again. That remainder is
    // below n, so the division is needed only for a lower half below n,
    // which is rare for the small n of a game.
    std::uint64_t product = std::uint64_t{engine_()} * n;
    auto low = static_cast<std::uint32_t>(product);
    if (low < n) {
        const std::uint32_t surplus = (0u - n) % n;
        while (low < surplus) {
            product = std::uint64_t{engine_()} * n;
            low = static_cast<std::uint32_t>(product);
        }
    }
    return static_cast<std::uint32_t>(product >> 32);
}

RandomSource& processRandom() {
    static RandomSource source;
    return source;
}

}  // namespace caici
