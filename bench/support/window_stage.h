#pragma once
// The game's own guessing window for the benchmarks that press in it: a game
// over the benchmark's words, dealt in order, with the window's dialogs
// answered at once, on the offscreen platform's two projectors
// (projectors.json: 1920 x 1080 first, 3840 x 2160 beside it). A round long
// enough for every press runs on the game's clock, which moves on between
// presses so that none is taken for a bounce.

#include <QApplication>
#include <QElapsedTimer>
#include <QScreen>

#include <benchmark/benchmark.h>

#include <memory>
#include <string>
#include <vector>

#include "answering_dialogs.h"
#include "fadetext/fade_text.h"
#include "game_fixture.h"
#include "round/guessing_window.h"
#include "support/bench_application.h"
#include "temporary_settings.h"

namespace caici {

// The application, on the two projectors unless a platform is chosen.
inline void ensureProjectorApplication() {
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) {
        qputenv("QT_QPA_PLATFORM", "offscreen:configfile=" CAICI_BENCH_SUPPORT_DIR "/projectors.json");
    }
    ensureBenchApplication<QApplication>();
}

class WindowStage : public testing::GameFixture {
public:
    struct CollectedErrors : ErrorReporter {
        std::vector<std::string> reported;
        void reportError(const std::string& text) override { reported.push_back(text); }
    };

    // projector: the size of the screen the window goes full screen on; an
    // empty size leaves the window as it opens on the first.
    WindowStage(const std::vector<WordEntry>& words, QSize projector) {
        dealInOrder(words);
        window = std::make_unique<TForm3>(GuessingWindowParts{QString::fromStdString(testing::gameFolderPath()),
                                                              *game, settings_.settings, errors, dialogs_});
        if (!projector.isEmpty()) window->setProjector(screenOf(projector));
        window->show();
        start(3600);
        display = window->findChild<TCnAAFadeText*>(QStringLiteral("aft1"));
        settle();
    }

    // What happens while a word is on screen: the fade ends, the displays
    // draw the next word ahead in the event loop's idle time, and the press
    // guard runs out.
    void settle() {
        const auto displays = window->findChildren<TCnAAFadeText*>();
        QElapsedTimer waited;
        waited.start();
        QCoreApplication::processEvents();
        while (waited.elapsed() < settleMs && anyFading(displays)) {
            QCoreApplication::processEvents(QEventLoop::WaitForMoreEvents, 5);
        }
        QCoreApplication::processEvents();
        later();
    }

    void count(benchmark::State& state) const {
        state.counters["display_w"] = display->width();
        state.counters["display_h"] = display->height();
        if (!errors.reported.empty()) state.SkipWithError(errors.reported.front().c_str());
    }

    CollectedErrors errors;
    std::unique_ptr<TForm3> window;
    // The word display.
    TCnAAFadeText* display = nullptr;

private:
    static constexpr int settleMs = 2000;

    static QScreen* screenOf(QSize size) {
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

    testing::TemporarySettings settings_;
    std::shared_ptr<testing::AnsweringDialogs> dialogs_ = std::make_shared<testing::AnsweringDialogs>();
};

}  // namespace caici
