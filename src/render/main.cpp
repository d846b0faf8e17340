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
#include "fadetext/font_style_file.h"
#include "effecttext/key_value_store.h"
#include "fadetext/line_placement.h"
#include "fadetext/user_labels.h"

namespace {

using namespace caici;

struct UsageError {
    QString text;
};

int parseInt(const QString& text, const char* what) {
    bool ok = false;
    const int value = text.startsWith(QLatin1String("0x"), Qt::CaseInsensitive)
                          ? static_cast<int>(text.mid(2).toUInt(&ok, 16))
                          : text.toInt(&ok);
    if (!ok) throw UsageError{QStringLiteral("%1: not a number: %2").arg(QLatin1String(what), text)};
    return value;
}

QSize parseSize(const QString& text) {
    const QStringList parts = text.split(QLatin1Char('x'));
    if (parts.size() != 2) throw UsageError{QStringLiteral("--size: expected WxH, got %1").arg(text)};
    const QSize size(parseInt(parts[0], "--size"), parseInt(parts[1], "--size"));
    if (size.width() <= 0 || size.height() <= 0 || size.width() > 16384 || size.height() > 16384) {
        throw UsageError{QStringLiteral("--size: each side must be 1 to 16384 pixels")};
    }
    return size;
}

TAAQuality parseQuality(const QString& text) {
    if (text == QLatin1String("high")) return TAAQuality::aqHigh;
    if (text == QLatin1String("normal")) return TAAQuality::aqNormal;
    if (text == QLatin1String("low")) return TAAQuality::aqLow;
    if (text == QLatin1String("none")) return TAAQuality::aqNone;
    throw UsageError{QStringLiteral("--quality: one of high, normal, low, none")};
}

TTextLayout parseLayout(const QString& text) {
    if (text == QLatin1String("top")) return TTextLayout::tlTop;
    if (text == QLatin1String("center")) return TTextLayout::tlCenter;
    if (text == QLatin1String("bottom")) return TTextLayout::tlBottom;
    throw UsageError{QStringLiteral("--layout: one of top, center, bottom")};
}

int run(const QCoreApplication& app) {
    QCommandLineParser parser;
    parser.setApplicationDescription(QStringLiteral("Draws one line of effect text into a PNG."));
    parser.addHelpOption();
    const QCommandLineOption text(QStringLiteral("text"), "The line to draw.", "LINE");
    const QCommandLineOption size(QStringLiteral("size"), "Surface size.", "WxH");
    const QCommandLineOption output({"o", "output"}, "PNG file to write.", "OUT.png");
    const QCommandLineOption face(QStringLiteral("face"), "Font face.", "FACE", QString::fromUtf8("微软雅黑"));
    const QCommandLineOption height(QStringLiteral("height"), "Character height in pixels.", "PX", "224");
    const QCommandLineOption bold(QStringLiteral("bold"), "Bold.");
    const QCommandLineOption italic(QStringLiteral("italic"), "Italic.");
    const QCommandLineOption color(QStringLiteral("color"), "Font colour.", "0xBBGGRR", "0x000000");
    const QCommandLineOption effect(QStringLiteral("effect"), "INI file with effect settings.", "INI");
    const QCommandLineOption section(QStringLiteral("section"), "Section of the INI file.", "NAME");
    const QCommandLineOption quality(QStringLiteral("quality"), "high, normal, low or none.", "Q", "normal");
    const QCommandLineOption background(QStringLiteral("background"), "Background colour.", "0xBBGGRR", "0xFFFFFF");
    const QCommandLineOption x(QStringLiteral("x"), "Left of the text box (default: centred).", "X");
    const QCommandLineOption y(QStringLiteral("y"), "Top of the text box (default: centred).", "Y");
    const QCommandLineOption repeat(QStringLiteral("repeat"), "Render N times and print the median time.", "N", "1");
    const QCommandLineOption styles(QStringLiteral("styles"), "INI file of font styles for the line's tags.", "INI");
    const QCommandLineOption layout(QStringLiteral("layout"), "top, center or bottom.", "L", "center");
    parser.addOptions({text, size, output, face, height, bold, italic, color, effect, section, quality, background, x,
                       y, repeat, styles, layout});
    parser.process(app);

    if (!parser.isSet(text) || !parser.isSet(size) || !parser.isSet(output)) {
        throw UsageError{QStringLiteral("--text, --size and -o are required")};
    }
    if (parser.isSet(effect) != parser.isSet(section)) {
        throw UsageError{QStringLiteral("--effect and --section go together")};
    }
    const QSize surfaceSize = parseSize(parser.value(size));
    const int repeats = parseInt(parser.value(repeat), "--repeat");
    if (repeats < 1) throw UsageError{QStringLiteral("--repeat: at least 1")};
    std::string line = parser.value(text).toStdString();

    TBitmap surface(surfaceSize.width(), surfaceSize.height(), TPixelFormat::pf32bit);
    TCanvas& canvas = surface.Canvas();
    TFont& font = canvas.Font();
    font.SetName(parser.value(face).toStdString());
    font.SetHeight(-parseInt(parser.value(height), "--height"));
    font.SetStyle(TFontStyles{}
                      .with(TFontStyle::fsBold, parser.isSet(bold))
                      .with(TFontStyle::fsItalic, parser.isSet(italic)));
    font.SetCharset(GB2312_CHARSET);
    font.SetColor(parseInt(parser.value(color), "--color"));
    canvas.Brush() = TBrush{parseInt(parser.value(background), "--background"), TBrushStyle::bsSolid};

    TCnAAFontEx renderer(&canvas);
    renderer.SetQuality(parseQuality(parser.value(quality)));
    if (parser.isSet(effect)) {
        if (!QFileInfo::exists(parser.value(effect))) {
            throw UsageError{QStringLiteral("--effect: no such file: %1").arg(parser.value(effect))};
        }
        const IniFileStore store(parser.value(effect));
        renderer.Effect().LoadFromIni(store, parser.value(section).toStdString());
    }

    // The line's tags, resolved as a display line's: styles, then the eight
    // usual labels; the alignment starts centred.
    TCnFontLabels fonts;
    if (parser.isSet(styles)) {
        if (!QFileInfo::exists(parser.value(styles))) {
            throw UsageError{QStringLiteral("--styles: no such file: %1").arg(parser.value(styles))};
        }
        loadFontStyles(parser.value(styles), fonts);
    }
    TCnUserLabels labels;
    addDefaultLabels(labels);
    TAlignment alignment = TAlignment::taCenter;
    fonts.ApplyFontTags(line, &font, &renderer.Effect());
    labels.ApplyLabelTags(line, alignment);

    // Placed as a display line is placed, unless a position is given.
    const QPoint placed = placeLine(alignment, parseLayout(parser.value(layout)), surfaceSize, renderer.TextExtent(line));
    const int left = parser.isSet(x) ? parseInt(parser.value(x), "--x") : placed.x();
    const int top = parser.isSet(y) ? parseInt(parser.value(y), "--y") : placed.y();

    std::vector<double> millis;
    for (int i = 0; i < repeats; ++i) {
        canvas.FillRect(QRect(QPoint(0, 0), surfaceSize));
        const auto start = std::chrono::steady_clock::now();
        renderer.TextOutput(left, top, line);
        millis.push_back(std::chrono::duration<double, std::milli>(std::chrono::steady_clock::now() - start).count());
    }
    if (!surface.Image().save(parser.value(output), "PNG")) {
        std::fprintf(stderr, "caici-render: cannot write %s\n", qPrintable(parser.value(output)));
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
