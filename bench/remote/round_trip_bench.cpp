// Press to event: a phone sends "正确", the game credits the word, and the
// new state comes back to the phone, over a real socket on 127.0.0.1. The
// phone and the game share one thread and one event loop here, so the
// figure includes both ends' work. Reported per press, with the median and
// the 99th percentile of 1,000 presses as counters (microseconds).

#include "game/game.h"
#include "game_fixture.h"
#include "loopback_phone.h"
#include "support/bench_application.h"

#include <QCoreApplication>

#include <benchmark/benchmark.h>

#include <chrono>
#include <memory>
#include <string>

namespace caici {
namespace {

constexpr int presses = 1000;

void BM_PressToEventRoundTrip(benchmark::State& state) {
    ensureBenchApplication<QCoreApplication>();
    // Each press comes a second after the last on the game's clock, past the
    // guard that takes quicker presses for a bounce.
    std::chrono::milliseconds now{1'000'000};
    // More words than presses, so every press deals a new one.
    auto words = std::make_unique<testing::ScriptedLibrary>();
    for (int i = 0; i < presses + 100; ++i) words->entries.push_back({"词" + std::to_string(i), 2});
    Game game(GameParts{"", std::move(words), std::make_unique<testing::RecordingAudio>(
                                                  std::make_shared<testing::AudioLog>()),
                        [&] { return now; }});
    testing::RecordingStartupMessages messages;
    game.startSound(messages);
    game.start();
    LoopbackRemote loopback(game, [&] { return now; });
    LoopbackPhone& phone = loopback.phone;
    if (!phone.connect()) {
        state.SkipWithError("the phone did not connect");
        return;
    }

    int before = 0;
    const std::size_t timed = timePhonePresses(
        state, phone,
        [&] {
            now += std::chrono::milliseconds(1000);
            before = phone.received();
        },
        [&] {
            return phone.received() > before ? std::optional(std::chrono::steady_clock::now()) : std::nullopt;
        },
        "a press was not answered");
    if (game.round().score != 2 * static_cast<std::int64_t>(timed)) {
        state.SkipWithError("not every press was credited");
    }
}
BENCHMARK(BM_PressToEventRoundTrip)->Iterations(presses)->UseManualTime()->Unit(benchmark::kMicrosecond);

}  // namespace
}  // namespace caici
