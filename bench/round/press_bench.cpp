// A press of 正确 as the host sees it: from Game::correct() to the first
// painted frame of the next word, in the whole guessing window full screen
// on a 1920 x 1080 and on a 3840 x 2160 projector. Between presses the event
// loop runs as it does while a word is on screen, so the press finds the
// next word drawn ahead. The score, its flash and every other part the press
// changes are painted too.
//
// CPU time is the whole process's, Qt's raster threads included.

#include <QCoreApplication>
#include <benchmark/benchmark.h>

#include "support/window_stage.h"

namespace caici {
namespace {

constexpr int kPresses = 60;

void BM_PressToFirstFrame(benchmark::State& state, QSize projector) {
    ensureProjectorApplication();
    WindowStage stage(testing::numberedWords(kPresses + 20), projector);
    for (auto _ : state) {
        state.PauseTiming();
        stage.settle();
        state.ResumeTiming();
        stage.game->correct();
        // The first fade step comes from a timer due at once; its paint is
        // synchronous.
        QCoreApplication::processEvents();
    }
    stage.count(state);
}
BENCHMARK_CAPTURE(BM_PressToFirstFrame, 1920x1080, QSize(1920, 1080))
    ->MeasureProcessCPUTime()
    ->Iterations(kPresses)
    ->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(BM_PressToFirstFrame, 3840x2160, QSize(3840, 2160))
    ->MeasureProcessCPUTime()
    ->Iterations(kPresses)
    ->Unit(benchmark::kMillisecond);

}  // namespace
}  // namespace caici
