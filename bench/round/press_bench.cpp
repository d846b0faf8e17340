// A press of 正确 as the host sees it: from Game::correct() to the first
// painted frame of the next word, in the whole guessing window full screen
// on a 1920 x 1080 and on a 3840 x 2160 projector (projectors.json). Between presses the event loop
// runs as it does while a word is on screen: the fade ends and the word
// displays draw the next word ahead in idle time, so the press finds it
// prepared. The score, the flash and every other part the press changes are
// painted too.
//
// CPU time is the whole process's, Qt's raster threads included. The round
// runs on the game's own clock, which the benchmark moves on between
// presses, so no press is taken for a bounce.

#include <QApplication>
#include <QElapsedTimer>
#include <QScreen>
#include <benchmark/benchmark.h>

#include <memory>
#include <vector>

#include "answering_dialogs.h"
#include "fadetext/fade_text.h"
#include "game_fixture.h"
#include "round/guessing_window.h"
#include "support/bench_application.h"
#include "temporary_settings.h"

namespace caici {
namespace {

using testing::AnsweringDialogs;
using testing::GameFixture;
using testing::TemporarySettings;

// Enough words that no press finds the library used up.
constexpr int kPresses = 120;
constexpr int kSettleMs = 2000;

struct NoErrors : ErrorReporter {
    void reportError(const std::string&) override {}
};

class PressedWindow : public GameFixture {
public:
    explicit PressedWindow(QSize screen) {
        dealInOrder(testing::numberedWords(kPresses * 2));
        window_ = std::make_unique<TForm3>(GuessingWindowParts{QString::fromStdString(testing::gameFolderPath()),
                                                               *game, settings_.settings, errors_, dialogs_});
        window_->setProjector(projectorOf(screen));
        window_->show();
        // A round long enough for every press.
        start(999);
        settle();
    }

    // What happens while a word is on screen: the fade ends, the next word
    // is drawn ahead, and the press guard runs out.
    void settle() {
        const auto displays = window_->findChildren<TCnAAFadeText*>();
        QElapsedTimer waited;
        waited.start();
        QCoreApplication::processEvents();
        while (waited.elapsed() < kSettleMs && anyFading(displays)) {
            QCoreApplication::processEvents(QEventLoop::WaitForMoreEvents, 5);
        }
        // The drawing ahead waits for the loop's idle time.
        QCoreApplication::processEvents();
        later();
    }

    void press() {
        game->correct();
        // The first fade step comes from a timer due at once; its paint is
        // synchronous.
        QCoreApplication::processEvents();
    }

    void count(benchmark::State& state) const {
        const auto* display = window_->findChild<TCnAAFadeText*>(QStringLiteral("aft1"));
        state.counters["display_w"] = display->width();
        state.counters["display_h"] = display->height();
    }

private:
    static QScreen* projectorOf(QSize size) {
        for (QScreen* screen : QGuiApplication::screens()) {
            if (screen->size() == size) return screen;
        }
        return nullptr;
    }
    static bool anyFading(const QList<TCnAAFadeText*>& displays) {
        for (const TCnAAFadeText* display : displays) {
            if (display->Fading()) return true;
        }
        return false;
    }

    TemporarySettings settings_;
    NoErrors errors_;
    std::shared_ptr<AnsweringDialogs> dialogs_ = std::make_shared<AnsweringDialogs>();
    std::unique_ptr<TForm3> window_;
};

void BM_PressToFirstFrame(benchmark::State& state, QSize screen) {
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) {
        qputenv("QT_QPA_PLATFORM", "offscreen:configfile=" CAICI_PROJECTORS);
    }
    ensureBenchApplication<QApplication>();
    PressedWindow window(screen);
    for (auto _ : state) {
        state.PauseTiming();
        window.settle();
        state.ResumeTiming();
        window.press();
    }
    window.count(state);
}
BENCHMARK_CAPTURE(BM_PressToFirstFrame, 1920x1080, QSize(1920, 1080))
    ->MeasureProcessCPUTime()
    ->Iterations(kPresses / 2)
    ->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(BM_PressToFirstFrame, 3840x2160, QSize(3840, 2160))
    ->MeasureProcessCPUTime()
    ->Iterations(kPresses / 2)
    ->Unit(benchmark::kMillisecond);

}  // namespace
}  // namespace caici
