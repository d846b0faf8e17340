// The word display draws a four-character word in the style Title1 (224 px
// bold, shadow 5, 5 with blur 80, gradient from the centre to top and bottom)
// on a 1920 x 1080 frame. One TextOutput at each quality, against the same
// word drawn by Qt's antialiased text with a gradient brush over a blurred
// shadow image.

#include <QGuiApplication>
#include <QLinearGradient>
#include <QPainter>
#include <benchmark/benchmark.h>

#include <string>

#include "effecttext/aa_font.h"
#include "effecttext/bitmap.h"
#include "bench_application.h"
#include "round/word_display_style.h"

namespace {

using namespace caici;

const char* const kWord = "猜词游戏";
constexpr int kFrameWidth = 1920;
constexpr int kFrameHeight = 1080;

void BM_TextOutput(benchmark::State& state, TAAQuality quality) {
    ensureBenchApplication<QGuiApplication>();
    TBitmap frame(kFrameWidth, kFrameHeight, TPixelFormat::pf32bit);
    TCanvas& canvas = frame.Canvas();
    canvas.Brush() = TBrush{0x2D2D2D, TBrushStyle::bsSolid};
    canvas.FillRect(QRect(0, 0, kFrameWidth, kFrameHeight));
    canvas.Brush().Style = TBrushStyle::bsClear;
    TCnAAFontEx renderer(&canvas);
    setWordDisplayStyle(canvas.Font(), renderer.Effect());
    renderer.SetQuality(quality);
    const QSize extent = renderer.TextExtent(kWord);
    const int x = (kFrameWidth - extent.width()) / 2;
    const int y = (kFrameHeight - extent.height()) / 2;
    for (auto _ : state) {
        renderer.TextOutput(x, y, kWord);
        benchmark::DoNotOptimize(frame.ScanLine(y + extent.height() / 2));
    }
    state.counters["mask_w"] = renderer.Mask().Width();
    state.counters["mask_h"] = renderer.Mask().Height();
}
BENCHMARK_CAPTURE(BM_TextOutput, aqHigh, TAAQuality::aqHigh)->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(BM_TextOutput, aqNormal, TAAQuality::aqNormal)->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(BM_TextOutput, aqLow, TAAQuality::aqLow)->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(BM_TextOutput, aqNone, TAAQuality::aqNone)->Unit(benchmark::kMillisecond);

// The same word at the size the fitting word display gives it on a 4K
// screen (about 920 px high), at the quality the game starts with.
void BM_TextOutputFittedOn4K(benchmark::State& state) {
    ensureBenchApplication<QGuiApplication>();
    TBitmap frame(3840, 2160, TPixelFormat::pf32bit);
    TCanvas& canvas = frame.Canvas();
    canvas.Brush() = TBrush{0x2D2D2D, TBrushStyle::bsSolid};
    canvas.FillRect(QRect(0, 0, frame.Width(), frame.Height()));
    canvas.Brush().Style = TBrushStyle::bsClear;
    TCnAAFontEx renderer(&canvas);
    setWordDisplayStyle(canvas.Font(), renderer.Effect());
    canvas.Font().SetHeight(-920);
    renderer.SetQuality(TAAQuality::aqNone);
    const QSize extent = renderer.TextExtent(kWord);
    const int x = (frame.Width() - extent.width()) / 2;
    const int y = (frame.Height() - extent.height()) / 2;
    for (auto _ : state) {
        renderer.TextOutput(x, y, kWord);
        benchmark::DoNotOptimize(frame.ScanLine(y + extent.height() / 2));
    }
    state.counters["mask_w"] = renderer.Mask().Width();
    state.counters["mask_h"] = renderer.Mask().Height();
}
BENCHMARK(BM_TextOutputFittedOn4K)->Unit(benchmark::kMillisecond);

// A word list entry of 1,000 characters centred on the frame: the text runs
// far past both sides, and only what lands on the frame is rendered.
void BM_TextOutputLongEntry(benchmark::State& state, TAAQuality quality) {
    ensureBenchApplication<QGuiApplication>();
    TBitmap frame(kFrameWidth, kFrameHeight, TPixelFormat::pf32bit);
    TCanvas& canvas = frame.Canvas();
    canvas.Brush() = TBrush{0x2D2D2D, TBrushStyle::bsSolid};
    canvas.FillRect(QRect(0, 0, kFrameWidth, kFrameHeight));
    canvas.Brush().Style = TBrushStyle::bsClear;
    TCnAAFontEx renderer(&canvas);
    setWordDisplayStyle(canvas.Font(), renderer.Effect());
    renderer.SetQuality(quality);
    std::string entry;
    for (int i = 0; i < state.range(0); ++i) entry += "猜";
    const QSize extent = renderer.TextExtent(entry);
    for (auto _ : state) {
        renderer.TextOutput((kFrameWidth - extent.width()) / 2, (kFrameHeight - extent.height()) / 2, entry);
        benchmark::DoNotOptimize(frame.ScanLine(kFrameHeight / 2));
    }
    state.counters["box_w"] = extent.width();
    state.counters["mask_w"] = renderer.Mask().Width();
}
BENCHMARK_CAPTURE(BM_TextOutputLongEntry, aqNone, TAAQuality::aqNone)->Arg(500)->Arg(1000)->Arg(2000)
    ->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(BM_TextOutputLongEntry, aqHigh, TAAQuality::aqHigh)->Arg(1000)->Unit(benchmark::kMillisecond);

// Qt's own: antialiased glyphs, a vertical gradient pen, and a shadow image
// blurred by scaling down and back up with smoothing.
void BM_QtPainterPeer(benchmark::State& state) {
    ensureBenchApplication<QGuiApplication>();
    QImage frame(kFrameWidth, kFrameHeight, QImage::Format_RGB32);
    frame.fill(QColor(45, 45, 45));
    TLogFont log;
    log.FaceName = "微软雅黑";
    log.Height = -224;
    log.Weight = FW_BOLD;
    log.CharSet = GB2312_CHARSET;
    log.Quality = TFontQuality::fqAntialiased;
    const QFont font = toQFont(log);
    const QFontMetrics metrics(font);
    const QString word = QString::fromUtf8(kWord);
    const QSize box(metrics.horizontalAdvance(word), metrics.height());
    const QPoint at((kFrameWidth - box.width()) / 2, (kFrameHeight - box.height()) / 2);
    QLinearGradient gradient(0, at.y(), 0, at.y() + box.height());
    gradient.setColorAt(0.0, QColor(248, 162, 33));
    gradient.setColorAt(0.5, QColor(255, 255, 0));
    gradient.setColorAt(1.0, QColor(248, 162, 33));
    for (auto _ : state) {
        QImage shadow(box, QImage::Format_ARGB32_Premultiplied);
        shadow.fill(Qt::transparent);
        {
            QPainter painter(&shadow);
            painter.setFont(font);
            painter.setPen(Qt::black);
            painter.drawText(QPoint(0, metrics.ascent()), word);
        }
        const QImage blurred = shadow.scaled(box / 4, Qt::IgnoreAspectRatio, Qt::SmoothTransformation)
                                   .scaled(box, Qt::IgnoreAspectRatio, Qt::SmoothTransformation);
        QPainter painter(&frame);
        painter.setOpacity(0.7);
        painter.drawImage(at + QPoint(5, 5), blurred);
        painter.setOpacity(1.0);
        painter.setFont(font);
        painter.setPen(QPen(QBrush(gradient), 0));
        painter.drawText(at + QPoint(0, metrics.ascent()), word);
        benchmark::DoNotOptimize(frame.constScanLine(kFrameHeight / 2));
    }
}
BENCHMARK(BM_QtPainterPeer)->Unit(benchmark::kMillisecond);

}  // namespace
