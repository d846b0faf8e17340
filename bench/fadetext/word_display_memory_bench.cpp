// The resident memory of the guessing window's two displays over an evening:
// a full screen (full_screen_display.h) in 禁词模式, the word above and its
// forbidden words below, twelve rounds of twenty words. Each word is shown
// as a press shows it (the lines replaced, the fades run to their end), and
// the next word is drawn ahead in both displays as the window has them do.
//
// The counters are the process's: run the benchmark alone
// (--benchmark_filter=BM_WordDisplayMemory) for the peak to be the
// evening's. Megabytes of 2^20 bytes.

#include <QApplication>
#include <benchmark/benchmark.h>

#include <malloc.h>

#include <array>
#include <fstream>
#include <sstream>
#include <string>
#include <vector>

#include "bench_application.h"
#include "full_screen_display.h"
#include "round/anchor_layout.h"
#include "round/guessing_window_geometry.h"
#include "round/word_display_style.h"

namespace {

using namespace caici;

constexpr int kRounds = 12;
constexpr int kWordsPerRound = 20;

// Words of two to six characters, so that the fitted sizes vary as an
// evening's do.
constexpr std::array<const char*, 12> kEveningWords = {"苹果香蕉", "猜词游戏", "大象跳舞", "火车站台",
                                                       "熊猫",     "万里长城", "生日蛋糕", "自行车",
                                                       "长颈鹿",   "宇航员",   "冰淇淋",   "过山车乘客"};

// A field of /proc/self/status in megabytes (it counts in kB).
double statusMegabytes(const std::string& field) {
    std::ifstream status("/proc/self/status");
    std::string line;
    while (std::getline(status, line)) {
        if (line.rfind(field + ":", 0) != 0) continue;
        std::istringstream value(line.substr(field.size() + 1));
        double kilobytes = 0;
        value >> kilobytes;
        return kilobytes / 1024.0;
    }
    return 0;
}

struct WordAndForbidden {
    PictureWindow window;
    TCnAAFadeText* word;
    TCnAAFadeText* forbidden;

    explicit WordAndForbidden(QSize screen) : window(screen) {
        const Anchors allSides{Anchor::left, Anchor::top, Anchor::right, Anchor::bottom};
        const design::WordAreas areas =
            design::splitWordArea(AnchoredPlacement{design::aft1, design::clientSize, allSides}.placedIn(screen));
        word = new TCnAAFadeText(&window);
        forbidden = new TCnAAFadeText(&window);
        setUpWordDisplay(*word, areas.word, wordStyleName, 168, 5, setWordDisplayStyle, idleLine());
        setUpWordDisplay(*forbidden, areas.forbidden, forbiddenStyleName, 72, 3, setForbiddenDisplayStyle,
                         std::string());
        window.show();
        QApplication::processEvents();
        finishFade(*word);
        finishFade(*forbidden);
    }

    static const char* wordOf(std::size_t index) { return kEveningWords[index % kEveningWords.size()]; }
    static std::string wordLine(std::size_t index) { return wordDisplayLine(wordOf(index)); }
    static std::string forbiddenLine(std::size_t index) {
        return forbiddenDisplayLine({wordOf(index + 3), wordOf(index + 7)});
    }

    void show(std::size_t index) {
        word->Text().Lines().SetLine(wordLine(index));
        forbidden->Text().Lines().SetLine(forbiddenLine(index));
        finishFade(*word);
        finishFade(*forbidden);
        word->SetUpcomingLine(wordLine(index + 1));
        forbidden->SetUpcomingLine(forbiddenLine(index + 1));
        word->PrepareUpcomingLine();
        forbidden->PrepareUpcomingLine();
        QApplication::processEvents();
    }
};

void BM_WordDisplayMemory(benchmark::State& state, QSize screen) {
    ensureBenchApplication<QApplication>();
    // As the game's main sets it: a word's buffers of a megabyte and more
    // are mapped of their own and go back to the system when dropped.
    mallopt(M_MMAP_THRESHOLD, 1 << 20);
    std::vector<double> afterRound;
    for (auto _ : state) {
        WordAndForbidden game(screen);
        std::size_t shown = 0;
        for (int round = 0; round < kRounds; ++round) {
            for (int i = 0; i < kWordsPerRound; ++i) game.show(shown++);
            afterRound.push_back(statusMegabytes("VmRSS"));
        }
        state.counters["rss_round2_MB"] = afterRound[1];
        state.counters["rss_round12_MB"] = afterRound.back();
        state.counters["growth_pct"] = 100.0 * (afterRound.back() - afterRound[1]) / afterRound[1];
        state.counters["peak_MB"] = statusMegabytes("VmHWM");
    }
}
BENCHMARK_CAPTURE(BM_WordDisplayMemory, 1920x1080, QSize(1920, 1080))
    ->Iterations(1)
    ->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(BM_WordDisplayMemory, 3840x2160, QSize(3840, 2160))
    ->Iterations(1)
    ->Unit(benchmark::kMillisecond);

}  // namespace
