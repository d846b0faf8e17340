// One fade tick of the guessing window's word display: a transparent control
// over a stretched photograph-like picture (a label below it), fading between
// two four-character words in Title1. A tick is everything a FadeStep causes: the
// parent background and both lines rendered again, the cross-fade, and the
// copy to the widget.

#include <QApplication>
#include <QBuffer>
#include <QLabel>
#include <QPainter>
#include <QPixmap>
#include <benchmark/benchmark.h>
#include <random>

#include "effecttext/bitmap.h"
#include "fadetext/cross_fade.h"
#include "fadetext/fade_text.h"
#include "fadetext/line_fit.h"
#include "bench_application.h"
#include "round/word_display_style.h"

namespace {

using namespace caici;

const std::string kThousandCharactersText = [] {
    std::string text;
    for (int i = 0; i < 1000; ++i) text += "猜";
    return text;
}();
const char* const kThousandCharacters = kThousandCharactersText.c_str();

// Smooth colour fields with grain, passed through JPEG as a photograph would be.
QPixmap photograph() {
    QImage image(1024, 768, QImage::Format_RGB32);
    std::mt19937 engine(7);
    for (int y = 0; y < image.height(); ++y) {
        auto* row = reinterpret_cast<QRgb*>(image.scanLine(y));
        for (int x = 0; x < image.width(); ++x) {
            const int grain = static_cast<int>(engine() % 24);
            row[x] = qRgb((x / 5 + grain) % 256, (y / 4 + grain) % 256, ((x + y) / 9 + grain) % 256);
        }
    }
    QByteArray bytes;
    QBuffer buffer(&bytes);
    buffer.open(QIODevice::WriteOnly);
    image.save(&buffer, "JPG", 85);
    QImage decoded;
    decoded.loadFromData(bytes, "JPG");
    return QPixmap::fromImage(decoded);
}

struct WordDisplay {
    QWidget window;
    QLabel* picture;
    TCnAAFadeText* text;

    WordDisplay(QSize size, TAAQuality quality) {
        window.resize(size);
        picture = new QLabel(&window);
        picture->setScaledContents(true);
        // A stretched picture paints every pixel of its area.
        picture->setAttribute(Qt::WA_OpaquePaintEvent);
        picture->setPixmap(photograph());
        picture->setGeometry(0, 0, size.width(), size.height());
        text = new TCnAAFadeText(&window);
        text->setGeometry(0, 0, size.width(), size.height());
        TCnFontLabel& style = text->Fonts().Add();
        style.SetName("Title1");
        setWordDisplayStyle(style.Font(), style.Effect());
        text->CreateDefaultLabels();
        text->Text().SetLineDelay(1000);
        text->Text().SetFadeDelay(50);
        text->Text().SetTransparent(true);
        text->Text().SetQuality(quality);
        text->Text().Lines().SetLine("<Title1><Center>猜词游戏");
        text->SetActive(false);
        window.show();
        QApplication::processEvents();
        text->SetActive(true);
    }
};

// Two words in turn, so that every tick mixes two different frames.
void BM_FadeTick(benchmark::State& state, QSize size, TAAQuality quality) {
    ensureBenchApplication<QApplication>();
    WordDisplay display(size, quality);
    const char* const words[] = {"<Title1><Center>苹果香蕉", "<Title1><Center>猜词游戏"};
    std::size_t next = 0;
    for (auto _ : state) {
        if (!display.text->Fading()) {
            state.PauseTiming();
            display.text->Text().Lines().SetLine(words[next++ % 2]);
            state.ResumeTiming();
        }
        display.text->FadeStep();
    }
}
BENCHMARK_CAPTURE(BM_FadeTick, 1169x417_aqNone, QSize(1169, 417), TAAQuality::aqNone)->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(BM_FadeTick, 1169x417_aqHigh, QSize(1169, 417), TAAQuality::aqHigh)->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(BM_FadeTick, 1920x1080_aqNone, QSize(1920, 1080), TAAQuality::aqNone)->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(BM_FadeTick, 1920x1080_aqHigh, QSize(1920, 1080), TAAQuality::aqHigh)->Unit(benchmark::kMillisecond);

// A new word: the game replaces the lines, which starts a cross-fade to a
// word not drawn before (the whole rendering, nothing reused); with the
// display fitting each line to its area, or at the style's size.
void BM_NewWord(benchmark::State& state, QSize size, TAAQuality quality, bool fit) {
    ensureBenchApplication<QApplication>();
    WordDisplay display(size, quality);
    display.text->SetFitToClient(fit);
    const char* const words[] = {"苹果香蕉", "猜词游戏", "大象跳舞", "火车站台"};
    std::size_t next = 0;
    for (auto _ : state) {
        ++next;
        display.text->Text().Lines().SetLine(std::string("<Title1><Center>") + words[next % 4] +
                                             std::to_string(next));
    }
}
BENCHMARK_CAPTURE(BM_NewWord, 1920x1080_aqNone, QSize(1920, 1080), TAAQuality::aqNone, false)
    ->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(BM_NewWord, 1920x1080_aqNone_fit, QSize(1920, 1080), TAAQuality::aqNone, true)
    ->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(BM_NewWord, 1920x1080_aqHigh, QSize(1920, 1080), TAAQuality::aqHigh, false)
    ->Unit(benchmark::kMillisecond);

// A word list entry of 1,000 characters arriving in the guessing window's
// display, and the fade ticks that show it: the time the game stands still.
void BM_LongEntry(benchmark::State& state, bool fit) {
    ensureBenchApplication<QApplication>();
    WordDisplay display(QSize(1169, 417), TAAQuality::aqNone);
    display.text->SetFitToClient(fit);
    std::size_t next = 0;
    for (auto _ : state) {
        ++next;
        display.text->Text().Lines().SetLine("<Title1><Center>" + std::to_string(next) + kThousandCharactersText);
        while (display.text->Fading()) display.text->FadeStep();
    }
}
BENCHMARK_CAPTURE(BM_LongEntry, 1169x417_aqNone, false)->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(BM_LongEntry, 1169x417_aqNone_fit, true)->Unit(benchmark::kMillisecond);

// The fit of one line alone: a reference measurement, one at the chosen
// size, and what correction hinting asks for.
void BM_FitLine(benchmark::State& state, const char* line, QSize client) {
    ensureBenchApplication<QGuiApplication>();
    TBitmap image(client.width(), client.height(), TPixelFormat::pf32bit);
    TCnAAFontEx renderer(&image.Canvas());
    setWordDisplayStyle(image.Canvas().Font(), renderer.Effect());
    renderer.SetQuality(TAAQuality::aqNone);
    for (auto _ : state) {
        benchmark::DoNotOptimize(fitLine(renderer, line, client, LineFit{}));
    }
}
BENCHMARK_CAPTURE(BM_FitLine, word_1169x417, "猜词游戏", QSize(1169, 417))->Unit(benchmark::kMicrosecond);
BENCHMARK_CAPTURE(BM_FitLine, title_1169x417, "哈利·波特与魔法石", QSize(1169, 417))->Unit(benchmark::kMicrosecond);
BENCHMARK_CAPTURE(BM_FitLine, 1000_characters_1169x417, kThousandCharacters, QSize(1169, 417))
    ->Unit(benchmark::kMicrosecond);

// The cross-fade alone on a full-HD frame.
void BM_CrossFade(benchmark::State& state) {
    TBitmap oldImage(1920, 1080);
    TBitmap newImage(1920, 1080);
    TBitmap destination;
    std::mt19937 engine(3);
    for (int y = 0; y < 1080; ++y) {
        for (int x = 0; x < 1920 * 3; ++x) {
            oldImage.ScanLine(y)[x] = static_cast<std::uint8_t>(engine());
            newImage.ScanLine(y)[x] = static_cast<std::uint8_t>(engine());
        }
    }
    for (auto _ : state) {
        CrossFade(destination, oldImage, newImage, 127);
        benchmark::DoNotOptimize(destination.ScanLine(540));
    }
}
BENCHMARK(BM_CrossFade)->Unit(benchmark::kMillisecond);

}  // namespace
