// The shuffle of the play order next to std::shuffle on the same entries.
// The shuffle seeds the process generator from the clock before every draw
// and runs the application's rate-limited pump once per draw, as in the game.

#include "common/message_pump.h"
#include "common/random_source.h"
#include "words/play_order.h"

#include <benchmark/benchmark.h>

#include <algorithm>
#include <random>
#include <string>
#include <vector>

namespace {

std::vector<std::string> library(std::size_t n) {
    std::vector<std::string> entries;
    entries.reserve(n);
    for (std::size_t i = 0; i < n; ++i) entries.push_back("猜词" + std::to_string(i) + "|" + std::to_string(i % 9 + 1));
    return entries;
}

void BM_Shuffle(benchmark::State& state) {
    caici::WordLists lists;
    lists.replaceLibrary(library(static_cast<std::size_t>(state.range(0))));
    caici::RandomSource random;  // clock seeds
    caici::RateLimitedPump limited([] {});
    const caici::MessagePump pump = [&limited] { limited(); };
    for (auto _ : state) {
        lists.shuffle(pump, random);
        benchmark::DoNotOptimize(lists.count());
    }
    state.SetItemsProcessed(state.iterations() * state.range(0));
}

void BM_StdShuffle(benchmark::State& state) {
    auto entries = library(static_cast<std::size_t>(state.range(0)));
    std::mt19937 engine(12345);
    for (auto _ : state) {
        std::shuffle(entries.begin(), entries.end(), engine);
        benchmark::DoNotOptimize(entries.data());
    }
    state.SetItemsProcessed(state.iterations() * state.range(0));
}

}  // namespace

BENCHMARK(BM_Shuffle)->Arg(100000)->Arg(1000000)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_StdShuffle)->Arg(100000)->Arg(1000000)->Unit(benchmark::kMillisecond);
