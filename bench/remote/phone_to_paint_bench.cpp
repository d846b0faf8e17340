// Phone to painted word: a phone sends "正确" over a real socket on
// 127.0.0.1, the game credits the word and deals the next, and the guessing
// window's word display paints the new word's first frame. The window is the
// game's own, offscreen, as it opens and full screen on a 3840x2160
// projector. Each press comes once the last fade has ended and the display
// has drawn the next word ahead, as a host's presses do. The phone and the
// game share one thread and one event loop. Reported per press, with the
// median and the 99th percentile as counters (microseconds).

#include "loopback_phone.h"
#include "support/window_stage.h"

#include <benchmark/benchmark.h>

#include <chrono>
#include <optional>
#include <string>
#include <vector>

namespace caici {
namespace {

constexpr int presses = 100;

void BM_PhoneToPaintedWord(benchmark::State& state, QSize projector) {
    ensureProjectorApplication();
    // More words than presses, so every press deals a new one, all of one
    // length, so every first frame covers the same band.
    std::vector<WordEntry> words;
    for (int i = 0; i < presses + 100; ++i) words.push_back({"词语" + std::to_string(1000 + i), 2});
    WindowStage stage(words, projector);
    if (stage.display == nullptr || !spinUntil([&] { return stage.display->isVisible(); })) {
        state.SkipWithError("the guessing window did not show its word display");
        return;
    }
    // The first paint once the word has changed; a paint before it (a
    // countdown's tick) is not the new word's.
    std::string before;
    std::optional<std::chrono::steady_clock::time_point> painted;
    stage.display->SetOnPainted([&](TCnAAGraphicControl&) {
        if (!painted && stage.round().currentEntry.word != before) painted = std::chrono::steady_clock::now();
    });

    LoopbackRemote loopback(*stage.game, [&] { return stage.now; });
    LoopbackPhone& phone = loopback.phone;
    if (!phone.connect()) {
        state.SkipWithError("the phone did not connect");
        return;
    }

    timePhonePresses(
        state, phone,
        [&] {
            stage.settle();
            before = stage.round().currentEntry.word;
            painted.reset();
        },
        [&] { return painted; }, "a press did not paint a new word");
    stage.count(state);
}
BENCHMARK_CAPTURE(BM_PhoneToPaintedWord, windowed, QSize())
    ->Iterations(presses)
    ->UseManualTime()
    ->Unit(benchmark::kMicrosecond);
BENCHMARK_CAPTURE(BM_PhoneToPaintedWord, 3840x2160_full_screen, QSize(3840, 2160))
    ->Iterations(presses)
    ->UseManualTime()
    ->Unit(benchmark::kMicrosecond);

}  // namespace
}  // namespace caici
