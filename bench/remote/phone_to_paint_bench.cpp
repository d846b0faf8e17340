// Phone to painted word: a phone sends "正确" over a real socket on
// 127.0.0.1, the game credits the word and deals the next, and the guessing
// window's word display paints the new word's first frame. The window is the
// game's own, offscreen on a 3840x2160 screen, as it opens and full screen
// (F4). Each press comes once the last fade has ended and the display has
// drawn the next word ahead, as a host's presses do. The phone and the game
// share one thread and one event loop. Reported per press, with the median
// and the 99th percentile as counters (microseconds).

#include "answering_dialogs.h"
#include "fadetext/fade_text.h"
#include "game/game.h"
#include "game_fixture.h"
#include "remote/remote_server.h"
#include "round/guessing_window.h"
#include "round/guessing_window_menu.h"
#include "support/bench_application.h"
#include "temporary_settings.h"

#include <QApplication>
#include <QElapsedTimer>
#include <QFile>
#include <QNetworkProxy>
#include <QTemporaryDir>
#include <QWebSocket>

#include <benchmark/benchmark.h>

#include <algorithm>
#include <chrono>
#include <memory>
#include <optional>
#include <string>
#include <vector>

namespace caici {
namespace {

constexpr int presses = 100;
constexpr int waitMs = 2000;

struct CollectedErrors : ErrorReporter {
    std::vector<std::string> reported;
    void reportError(const std::string& text) override { reported.push_back(text); }
};

// The offscreen platform's one screen, a 4K projector's size, unless a
// platform is chosen. It must be named before the application starts.
void useProjectorScreen() {
    if (!qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) return;
    static QTemporaryDir folder;
    const QString path = folder.filePath(QStringLiteral("screen.json"));
    QFile file(path);
    if (!file.open(QIODevice::WriteOnly)) return;
    file.write(R"({"screens": [{"name": "Projector", "x": 0, "y": 0, "width": 3840, "height": 2160,)"
               R"( "logicalDpi": 96, "logicalBaseDpi": 96, "dpr": 1}]})");
    file.close();
    qputenv("QT_QPA_PLATFORM", QByteArray("offscreen:configfile=") + QFile::encodeName(path));
}

// Runs the event loop until test holds; false after waitMs.
template <class Test>
bool spinUntil(Test test) {
    QElapsedTimer waited;
    waited.start();
    while (!test()) {
        if (waited.elapsed() > waitMs) return false;
        QCoreApplication::processEvents(QEventLoop::WaitForMoreEvents, 5);
    }
    return true;
}

// Lets the display finish its fade and draw the next word ahead, as it does
// in the event loop's idle time between a host's presses.
void settle(TCnAAFadeText& display) {
    spinUntil([&] { return !display.Fading(); });
    display.PrepareUpcomingLine();
}

struct Stage : testing::GameFixture {
    testing::TemporarySettings settings;
    CollectedErrors errors;
    std::unique_ptr<TForm3> window;
};

void BM_PhoneToPaintedWord(benchmark::State& state, bool fullScreen) {
    useProjectorScreen();
    ensureBenchApplication<QApplication>();
    Stage stage;
    // More words than presses, so every press deals a new one, all of one
    // length, so every first frame covers the same band.
    std::vector<WordEntry> words;
    for (int i = 0; i < presses + 100; ++i) words.push_back({"词语" + std::to_string(1000 + i), 2});
    stage.dealInOrder(words);
    stage.window = std::make_unique<TForm3>(GuessingWindowParts{QString::fromStdString(testing::gameFolderPath()),
                                                                *stage.game, stage.settings.settings, stage.errors,
                                                                std::make_shared<testing::AnsweringDialogs>()});
    // Long enough that the countdown, which runs on the real clock, does not
    // end the round under the presses.
    stage.start(3600);
    if (fullScreen) stage.window->menu().N4->trigger();
    auto* display = stage.window->findChild<TCnAAFadeText*>(QStringLiteral("aft1"));
    if (display == nullptr || !spinUntil([&] { return display->isVisible(); })) {
        state.SkipWithError("the guessing window did not show its word display");
        return;
    }
    // The first paint once the word has changed; a paint before it (a
    // countdown's tick) is not the new word's.
    std::string before;
    std::optional<std::chrono::steady_clock::time_point> painted;
    display->SetOnPainted([&](TCnAAGraphicControl&) {
        if (!painted && stage.round().currentEntry.word != before) painted = std::chrono::steady_clock::now();
    });

    RemoteServer remote(*stage.game, RemoteOptions{QHostAddress(QHostAddress::LocalHost), 0,
                                                   QStringLiteral("127.0.0.1"), [&] { return stage.now; }});
    // The key alone does not let a phone in: it connects from the game's own page.
    QWebSocket phone(QStringLiteral("http://127.0.0.1:%1").arg(remote.port()));
    phone.setProxy(QNetworkProxy::NoProxy);
    int received = 0;
    QObject::connect(&phone, &QWebSocket::textMessageReceived, [&](const QString&) { ++received; });
    QUrl socket = remote.address();
    socket.setScheme(QStringLiteral("ws"));
    socket.setPath(socket.path() + QStringLiteral("ws"));
    phone.open(socket);
    if (!spinUntil([&] { return received > 0; })) {
        state.SkipWithError("the phone did not connect");
        return;
    }

    std::vector<double> microseconds;
    microseconds.reserve(presses);
    const QString press = QStringLiteral(R"({"cmd":"correct"})");
    for (auto _ : state) {
        settle(*display);
        stage.later();
        before = stage.round().currentEntry.word;
        painted.reset();
        const auto sent = std::chrono::steady_clock::now();
        phone.sendTextMessage(press);
        phone.flush();
        if (!spinUntil([&] { return painted.has_value(); })) {
            state.SkipWithError("a press did not paint a new word");
            return;
        }
        const std::chrono::duration<double> took = *painted - sent;
        state.SetIterationTime(took.count());
        microseconds.push_back(took.count() * 1e6);
    }
    std::sort(microseconds.begin(), microseconds.end());
    state.counters["median_us"] = microseconds[microseconds.size() / 2];
    state.counters["p99_us"] = microseconds[(microseconds.size() * 99) / 100];
    if (!stage.errors.reported.empty()) state.SkipWithError(stage.errors.reported.front().c_str());
}
BENCHMARK_CAPTURE(BM_PhoneToPaintedWord, windowed, false)
    ->Iterations(presses)
    ->UseManualTime()
    ->Unit(benchmark::kMicrosecond);
BENCHMARK_CAPTURE(BM_PhoneToPaintedWord, 3840x2160_full_screen, true)
    ->Iterations(presses)
    ->UseManualTime()
    ->Unit(benchmark::kMicrosecond);

}  // namespace
}  // namespace caici
