// Press to event: a phone sends "正确", the game credits the word, and the
// new state comes back to the phone, over a real socket on 127.0.0.1. The
// phone and the game share one thread and one event loop here, so the
// figure includes both ends' work. Reported per press, with the median and
// the 99th percentile of 1,000 presses as counters (microseconds).

#include "game/game.h"
#include "game_fixture.h"
#include "loopback_phone.h"
#include "remote/remote_server.h"
#include "support/bench_application.h"

#include <QCoreApplication>

#include <benchmark/benchmark.h>

#include <chrono>
#include <memory>
#include <string>
#include <vector>

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
    RemoteServer remote(game, RemoteOptions{QHostAddress(QHostAddress::LocalHost), 0, QStringLiteral("127.0.0.1"),
                                            [&] { return now; }});

    LoopbackPhone phone(remote);
    if (!phone.connect()) {
        state.SkipWithError("the phone did not connect");
        return;
    }

    std::vector<double> microseconds;
    microseconds.reserve(presses);
    for (auto _ : state) {
        now += std::chrono::milliseconds(1000);
        const int before = phone.received();
        const auto sent = std::chrono::steady_clock::now();
        phone.pressCorrect();
        if (!spinUntil([&] { return phone.received() > before; })) {
            state.SkipWithError("a press was not answered");
            return;
        }
        const std::chrono::duration<double> took = std::chrono::steady_clock::now() - sent;
        state.SetIterationTime(took.count());
        microseconds.push_back(took.count() * 1e6);
    }
    if (game.round().score != 2 * static_cast<std::int64_t>(microseconds.size())) {
        state.SkipWithError("not every press was credited");
    }
    countPercentiles(state, std::move(microseconds));
}
BENCHMARK(BM_PressToEventRoundTrip)->Iterations(presses)->UseManualTime()->Unit(benchmark::kMicrosecond);

}  // namespace
}  // namespace caici
