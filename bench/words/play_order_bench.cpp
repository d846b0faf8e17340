// The shuffle of the play order next to std::shuffle on the same entries.
//
// BM_ShuffleOrder measures no time but how far a shuffle moves the library
// away from the workbook's order, over many shuffles from the process
// generator: the share of consecutively dealt words that come in the
// workbook's order (a random order gives 50 %) and the mean distance between
// them as a fraction of the library (a random order gives 1/3). 964 is the
// size of the bundled library.

#include "words/play_order.h"

#include <benchmark/benchmark.h>

#include <algorithm>
#include <cstdlib>
#include <random>
#include <string>
#include <vector>

namespace {

constexpr int kOrderShuffles = 200;

std::vector<caici::WordEntry> library(std::size_t n) {
    std::vector<caici::WordEntry> entries;
    entries.reserve(n);
    for (std::size_t i = 0; i < n; ++i) {
        entries.push_back({"猜词" + std::to_string(i), static_cast<std::int32_t>(i % 9 + 1), "词库", static_cast<std::uint32_t>(i + 2)});
    }
    return entries;
}

void BM_Shuffle(benchmark::State& state) {
    caici::WordLists lists;
    lists.replaceLibrary(library(static_cast<std::size_t>(state.range(0))));
    for (auto _ : state) {
        lists.shuffle();
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

void BM_ShuffleOrder(benchmark::State& state) {
    const auto size = static_cast<std::size_t>(state.range(0));
    const auto entries = library(size);

    long pairs = 0;
    long ascending = 0;
    long jumps = 0;
    for (auto _ : state) {
        for (int s = 0; s < kOrderShuffles; ++s) {
            caici::WordLists lists;
            lists.replaceLibrary(entries);
            lists.shuffle();
            // Words are dealt from the end of the play order.
            const auto order = lists.playOrder();
            for (std::size_t k = order.size() - 1; k > 0; --k) {
                const long from = order[k].row;
                const long to = order[k - 1].row;
                ++pairs;
                ascending += to > from ? 1 : 0;
                jumps += std::labs(to - from);
            }
        }
    }
    state.counters["ascending_pct"] = 100.0 * static_cast<double>(ascending) / static_cast<double>(pairs);
    state.counters["mean_jump"] = static_cast<double>(jumps) / static_cast<double>(pairs) / static_cast<double>(size);
}

}  // namespace

BENCHMARK(BM_Shuffle)->Arg(100000)->Arg(1000000)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_StdShuffle)->Arg(100000)->Arg(1000000)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_ShuffleOrder)->Arg(200)->Arg(964)->Iterations(1)->Unit(benchmark::kMillisecond);
