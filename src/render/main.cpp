// caici-render: draws one line with the effect-text renderer into a PNG, for
// style designers and for checking the renderer from outside.

#include <QCommandLineParser>
#include <QFileInfo>
#include <QGuiApplication>
#include <algorithm>
#include <chrono>
#include <cstdio>
#include <exception>
#include <optional>
#include <vector>

#include "effecttext/aa_font.h"
#include "effecttext/bitmap.h"
#include "effecttext/key_value_store.h"
#include "effecttext/render_limits.h"
#include "fadetext/font_style_file.h"
#include "fadetext/line_placement.h"
#include "fadetext/user_labels.h"

namespace {

using namespace caici;

// Bounds of the arguments: a picture of at most this many pixels (each side
// at most kMaxSide), a timing run of at most kMaxRepeats renderings, a text
// box placed at most kMaxOffset pixels away from the picture.
constexpr int kMaxSide = 16384;
constexpr std::int64_t kMaxPixels = std::int64_t{1} << 24;
constexpr int kMaxRepeats = 1000;
constexpr int kMaxOffset = 1000000;

struct UsageError {
    QString text;
};

int parseInt(const QString& text, const char* what) {
    bool ok = false;
    const int value = text.startsWith(QLatin1String("0x"), Qt::CaseInsensitive)
                          ? static_cast<int>(text.mid(2).toUInt(&ok, 16))
                          : text.toInt(&ok);
    if (!ok) throw UsageError{QStringLiteral("%1：不是数字：%2").arg(QLatin1String(what), text)};
    return value;
}

int parseBounded(const QString& text, const char* what, int low, int high) {
    const int value = parseInt(text, what);
    if (value < low || value > high) {
        throw UsageError{QStringLiteral("%1：应在 %2 到 %3 之间，得到 %4").arg(QLatin1String(what)).arg(low).arg(high).arg(value)};
    }
    return value;
}

QSize parseSize(const QString& text) {
    const QStringList parts = text.split(QLatin1Char('x'));
    if (parts.size() != 2) throw UsageError{QStringLiteral("--size：应为 宽x高，得到 %1").arg(text)};
    const QSize size(parseInt(parts[0], "--size"), parseInt(parts[1], "--size"));
    if (size.width() <= 0 || size.height() <= 0 || size.width() > kMaxSide || size.height() > kMaxSide ||
        std::int64_t{size.width()} * size.height() > kMaxPixels) {
        throw UsageError{QStringLiteral("--size：每边 1 到 %1 像素，总共最多 %2 像素").arg(kMaxSide).arg(kMaxPixels)};
    }
    return size;
}

TAAQuality parseQuality(const QString& text) {
    if (text == QLatin1String("high")) return TAAQuality::aqHigh;
    if (text == QLatin1String("normal")) return TAAQuality::aqNormal;
    if (text == QLatin1String("low")) return TAAQuality::aqLow;
    if (text == QLatin1String("none")) return TAAQuality::aqNone;
    throw UsageError{QStringLiteral("--quality：应为 high、normal、low 或 none")};
}

TTextLayout parseLayout(const QString& text) {
    if (text == QLatin1String("top")) return TTextLayout::tlTop;
    if (text == QLatin1String("center")) return TTextLayout::tlCenter;
    if (text == QLatin1String("bottom")) return TTextLayout::tlBottom;
    throw UsageError{QStringLiteral("--layout：应为 top、center 或 bottom")};
}

// An input file named by an option: a refused file (missing, not a regular
// file, too large, unreadable) is a bad argument.
template <class Load>
void loadInput(const QString& option, const QString& path, Load&& load) {
    if (!QFileInfo::exists(path)) throw UsageError{QStringLiteral("%1：找不到文件：%2").arg(option, path)};
    try {
        load();
    } catch (const Error& error) {
        throw UsageError{QStringLiteral("%1：%2").arg(option, QString::fromUtf8(error.what()))};
    }
}

int run(const QCoreApplication& app) {
    QCommandLineParser parser;
    parser.setApplicationDescription(QStringLiteral("把一行特效文字画进 PNG 图片。"));
    parser.addHelpOption();
    const QCommandLineOption text(QStringLiteral("text"), "要绘制的一行文字。", "LINE");
    const QCommandLineOption size(QStringLiteral("size"), "画面大小。", "WxH");
    const QCommandLineOption output({"o", "output"}, "写出的 PNG 文件。", "OUT.png");
    const QCommandLineOption face(QStringLiteral("face"), "字体。", "FACE", QString::fromUtf8("微软雅黑"));
    const QCommandLineOption height(QStringLiteral("height"), "字高（像素）。", "PX", "224");
    const QCommandLineOption bold(QStringLiteral("bold"), "粗体。");
    const QCommandLineOption italic(QStringLiteral("italic"), "斜体。");
    const QCommandLineOption color(QStringLiteral("color"), "文字颜色。", "0xBBGGRR", "0x000000");
    const QCommandLineOption effect(QStringLiteral("effect"), "效果设置的 INI 文件。", "INI");
    const QCommandLineOption section(QStringLiteral("section"), "INI 文件中的节。", "NAME");
    const QCommandLineOption quality(QStringLiteral("quality"), "high、normal、low 或 none。", "Q", "normal");
    const QCommandLineOption background(QStringLiteral("background"), "背景颜色。", "0xBBGGRR", "0xFFFFFF");
    const QCommandLineOption x(QStringLiteral("x"), "文字框左边（默认居中）。", "X");
    const QCommandLineOption y(QStringLiteral("y"), "文字框上边（默认居中）。", "Y");
    const QCommandLineOption repeat(QStringLiteral("repeat"), "绘制 N 次并打印耗时的中位数。", "N", "1");
    const QCommandLineOption styles(QStringLiteral("styles"), "为文字中的标记提供字体样式的 INI 文件。", "INI");
    const QCommandLineOption layout(QStringLiteral("layout"), "top、center 或 bottom。", "L", "center");
    parser.addOptions({text, size, output, face, height, bold, italic, color, effect, section, quality, background, x,
                       y, repeat, styles, layout});
    parser.process(app);

    if (!parser.isSet(text) || !parser.isSet(size) || !parser.isSet(output)) {
        throw UsageError{QStringLiteral("必须给出 --text、--size 和 -o")};
    }
    if (parser.isSet(effect) != parser.isSet(section)) {
        throw UsageError{QStringLiteral("--effect 和 --section 须一起给出")};
    }
    const QSize surfaceSize = parseSize(parser.value(size));
    const int repeats = parseBounded(parser.value(repeat), "--repeat", 1, kMaxRepeats);
    const int characterHeight = parseBounded(parser.value(height), "--height", 1, kMaxCharacterHeight);
    std::string line = parser.value(text).toStdString();

    TBitmap surface(surfaceSize.width(), surfaceSize.height(), TPixelFormat::pf32bit);
    TCanvas& canvas = surface.Canvas();
    TFont& font = canvas.Font();
    font.SetName(parser.value(face).toStdString());
    font.SetHeight(-characterHeight);
    font.SetStyle(TFontStyles{}
                      .with(TFontStyle::fsBold, parser.isSet(bold))
                      .with(TFontStyle::fsItalic, parser.isSet(italic)));
    font.SetCharset(GB2312_CHARSET);
    font.SetColor(parseInt(parser.value(color), "--color"));
    canvas.Brush() = TBrush{parseInt(parser.value(background), "--background"), TBrushStyle::bsSolid};

    TCnAAFontEx renderer(&canvas);
    renderer.SetQuality(parseQuality(parser.value(quality)));
    if (parser.isSet(effect)) {
        loadInput(QStringLiteral("--effect"), parser.value(effect), [&] {
            const IniFileStore store(parser.value(effect));
            renderer.Effect().LoadFromIni(store, parser.value(section).toStdString());
        });
    }

    // The line's tags, resolved as a display line's: styles, then the eight
    // usual labels; the alignment starts centred.
    TCnFontLabels fonts;
    if (parser.isSet(styles)) {
        loadInput(QStringLiteral("--styles"), parser.value(styles), [&] { loadFontStyles(parser.value(styles), fonts); });
    }
    TCnUserLabels labels;
    addDefaultLabels(labels);
    TAlignment alignment = TAlignment::taCenter;
    fonts.ApplyFontTags(line, &font, &renderer.Effect());
    labels.ApplyLabelTags(line, alignment);
    if (drawableText(line).size() < line.size()) {
        std::fprintf(stderr, "caici-render: 文字超过 %d 个字符，只画前 %d 个\n", kMaxTextCharacters, kMaxTextCharacters);
    }

    // Placed as a display line is placed, unless a position is given.
    const QPoint placed = placeLine(alignment, parseLayout(parser.value(layout)), surfaceSize, renderer.TextExtent(line));
    const int left = parser.isSet(x) ? parseBounded(parser.value(x), "--x", -kMaxOffset, kMaxOffset) : placed.x();
    const int top = parser.isSet(y) ? parseBounded(parser.value(y), "--y", -kMaxOffset, kMaxOffset) : placed.y();

    std::vector<double> millis;
    for (int i = 0; i < repeats; ++i) {
        canvas.FillRect(QRect(QPoint(0, 0), surfaceSize));
        const auto start = std::chrono::steady_clock::now();
        renderer.TextOutput(left, top, line);
        millis.push_back(std::chrono::duration<double, std::milli>(std::chrono::steady_clock::now() - start).count());
    }
    if (!surface.Image().save(parser.value(output), "PNG")) {
        std::fprintf(stderr, "caici-render: 无法写入 %s\n", qPrintable(parser.value(output)));
        return 1;
    }
    if (repeats > 1) {
        std::nth_element(millis.begin(), millis.begin() + static_cast<std::ptrdiff_t>(millis.size() / 2), millis.end());
        std::printf("median ms per render: %.3f\n", millis[millis.size() / 2]);
    }
    return 0;
}

}  // namespace

int main(int argc, char** argv) {
    // A command-line tool needs no display.
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
    const QGuiApplication app(argc, argv);
    QGuiApplication::setApplicationName(QStringLiteral("caici-render"));
    try {
        return run(app);
    } catch (const UsageError& error) {
        std::fprintf(stderr, "caici-render: %s\n", qPrintable(error.text));
        return 2;
    } catch (const std::exception& error) {
        std::fprintf(stderr, "caici-render: %s\n", error.what());
        return 1;
    }
}
