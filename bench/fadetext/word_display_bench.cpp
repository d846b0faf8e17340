// The guessing window's word display as it stands on a full screen of
// 1920 x 1080 and of 3840 x 2160 (full_screen_display.h).
//
// A fade tick is everything one FadeStep causes, the paint included. A new
// word's first frame is what happens from the word's arrival to the first
// frame that shows it: the line replaced, the word rendered, the first fade
// step painted. Unprepared, the word is drawn on arrival (the first word of
// a round, the first after a resize); prepared, the display drew it ahead as
// the next word while the one before was on screen, so that the press itself
// only starts the cross-fade.
//
// CPU time is the whole process's: Qt's raster engine hands some of its work
// to a pool of threads. Each runs two seconds, for enough words that the
// median of repetitions holds still on a shared machine.

#include <QApplication>
#include <benchmark/benchmark.h>

#include <array>
#include <string>

#include "bench_application.h"
#include "full_screen_display.h"
#include "round/anchor_layout.h"
#include "round/guessing_window_geometry.h"
#include "round/word_display_style.h"

namespace {

using namespace caici;

// Distinct words, more than the display keeps drawn layers for, so that
// every new word is rendered from nothing.
constexpr std::array<const char*, 8> kWords = {"苹果香蕉", "猜词游戏", "大象跳舞", "火车站台",
                                               "熊猫", "万里长城", "生日蛋糕", "自行车"};

struct FullScreenWordDisplay {
    PictureWindow window;
    TCnAAFadeText* display;
    std::size_t shown = 0;

    explicit FullScreenWordDisplay(QSize screen) : window(screen) {
        display = new TCnAAFadeText(&window);
        const Anchors allSides{Anchor::left, Anchor::top, Anchor::right, Anchor::bottom};
        setUpWordDisplay(*display, AnchoredPlacement{design::aft1, design::clientSize, allSides}.placedIn(screen),
                         wordStyleName, 168, 5, setWordDisplayStyle, idleLine());
        window.show();
        QApplication::processEvents();
        finishFade();
    }

    static std::string lineOf(std::size_t index) { return wordDisplayLine(kWords[index % kWords.size()]); }
    void showNextWord() { display->Text().Lines().SetLine(lineOf(shown++)); }
    // What the guessing window does while a word is on screen.
    void prepareNextWord() {
        display->SetUpcomingLine(lineOf(shown));
        display->PrepareUpcomingLine();
    }
    void finishFade() { caici::finishFade(*display); }
    void count(benchmark::State& state) const {
        state.counters["display_w"] = display->width();
        state.counters["display_h"] = display->height();
        state.counters["char_h"] = display->DisplayedCharacterHeight();
    }
};

void BM_WordDisplayTick(benchmark::State& state, QSize screen) {
    ensureBenchApplication<QApplication>();
    FullScreenWordDisplay game(screen);
    for (auto _ : state) {
        if (!game.display->Fading()) {
            state.PauseTiming();
            game.showNextWord();
            state.ResumeTiming();
        }
        game.display->FadeStep();
    }
    game.count(state);
}
BENCHMARK_CAPTURE(BM_WordDisplayTick, 1920x1080, QSize(1920, 1080))
    ->MeasureProcessCPUTime()
    ->MinTime(2.0)
    ->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(BM_WordDisplayTick, 3840x2160, QSize(3840, 2160))
    ->MeasureProcessCPUTime()
    ->MinTime(2.0)
    ->Unit(benchmark::kMillisecond);

void BM_WordDisplayFirstFrame(benchmark::State& state, QSize screen) {
    ensureBenchApplication<QApplication>();
    FullScreenWordDisplay game(screen);
    for (auto _ : state) {
        state.PauseTiming();
        game.finishFade();
        state.ResumeTiming();
        game.showNextWord();
        game.display->FadeStep();
    }
    game.count(state);
}
BENCHMARK_CAPTURE(BM_WordDisplayFirstFrame, 1920x1080, QSize(1920, 1080))
    ->MeasureProcessCPUTime()
    ->MinTime(2.0)
    ->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(BM_WordDisplayFirstFrame, 3840x2160, QSize(3840, 2160))
    ->MeasureProcessCPUTime()
    ->MinTime(2.0)
    ->Unit(benchmark::kMillisecond);

// A press with the next word drawn ahead: from the new line to the first
// painted frame that shows it.
void BM_WordDisplayPreparedFirstFrame(benchmark::State& state, QSize screen) {
    ensureBenchApplication<QApplication>();
    FullScreenWordDisplay game(screen);
    for (auto _ : state) {
        state.PauseTiming();
        game.finishFade();
        game.prepareNextWord();
        state.ResumeTiming();
        game.showNextWord();
        game.display->FadeStep();
    }
    game.count(state);
}
BENCHMARK_CAPTURE(BM_WordDisplayPreparedFirstFrame, 1920x1080, QSize(1920, 1080))
    ->MeasureProcessCPUTime()
    ->MinTime(2.0)
    ->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(BM_WordDisplayPreparedFirstFrame, 3840x2160, QSize(3840, 2160))
    ->MeasureProcessCPUTime()
    ->MinTime(2.0)
    ->Unit(benchmark::kMillisecond);

// Drawing the next word ahead, the work the event loop's idle time takes
// over from the press.
void BM_WordDisplayDrawAhead(benchmark::State& state, QSize screen) {
    ensureBenchApplication<QApplication>();
    FullScreenWordDisplay game(screen);
    for (auto _ : state) {
        state.PauseTiming();
        game.showNextWord();
        game.finishFade();
        state.ResumeTiming();
        game.prepareNextWord();
    }
    game.count(state);
}
BENCHMARK_CAPTURE(BM_WordDisplayDrawAhead, 1920x1080, QSize(1920, 1080))
    ->MeasureProcessCPUTime()
    ->MinTime(2.0)
    ->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(BM_WordDisplayDrawAhead, 3840x2160, QSize(3840, 2160))
    ->MeasureProcessCPUTime()
    ->MinTime(2.0)
    ->Unit(benchmark::kMillisecond);

}  // namespace
