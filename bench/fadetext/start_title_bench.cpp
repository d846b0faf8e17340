// The start window standing idle: its title cross-fades between its two lines
// over the banner, each line held 3 s with a fade of 26 steps. What that costs
// while nobody touches the window is the share of one core the process uses
// over a few seconds of the real event loop with the real timers (offscreen),
// reported as core_percent.

#include <QApplication>
#include <QElapsedTimer>
#include <QEventLoop>
#include <QLabel>
#include <QPixmap>
#include <QTimer>
#include <benchmark/benchmark.h>

#include <ctime>

#include "app/title_styles.h"
#include "bench_application.h"
#include "fadetext/fade_text.h"
#include "look/window_look.h"

namespace {

using namespace caici;

// The start window's parts that lie under or in its title, placed and
// configured as the window places and configures them.
struct StartWindowTitle {
    QWidget window;
    TCnAAFadeText* title;

    StartWindowTitle() {
        window.setFixedSize(453, 463);
        setBackgroundColor(window, storedColor(12285));
        auto* banner = new QLabel(&window);
        banner->setPixmap(QPixmap(QStringLiteral(CAICI_PICTURES_DIR "/banner.jpg")));
        banner->setScaledContents(true);
        banner->setGeometry(0, 0, 453, 234);
        title = new TCnAAFadeText(&window);
        title->setGeometry(86, 71, 227, 44);
        title->SetParentColor(false);
        title->SetParentFont(false);
        title->Text().SetTransparent(true);
        addTitleStyles(title->Fonts());
        addStandardLabels(title->Labels());
        title->Text().Lines().Assign(titleLines());
        title->Loaded();
        window.show();
        QApplication::processEvents();
    }
};

double processCpuSeconds() {
    timespec now{};
    clock_gettime(CLOCK_PROCESS_CPUTIME_ID, &now);
    return static_cast<double>(now.tv_sec) + static_cast<double>(now.tv_nsec) * 1e-9;
}

void BM_StartWindowIdle(benchmark::State& state) {
    ensureBenchApplication<QApplication>();
    StartWindowTitle start;
    // Two whole periods of the title: two line changes with their fades.
    constexpr int kWatchMs = 6000;
    double share = 0.0;
    for (auto _ : state) {
        const double cpuBefore = processCpuSeconds();
        QElapsedTimer wall;
        wall.start();
        QEventLoop loop;
        QTimer::singleShot(kWatchMs, &loop, &QEventLoop::quit);
        loop.exec();
        share = (processCpuSeconds() - cpuBefore) / (static_cast<double>(wall.nsecsElapsed()) * 1e-9);
    }
    state.counters["core_percent"] = 100.0 * share;
}
BENCHMARK(BM_StartWindowIdle)->Iterations(1)->MeasureProcessCPUTime()->UseRealTime()->Unit(benchmark::kMillisecond);

}  // namespace
