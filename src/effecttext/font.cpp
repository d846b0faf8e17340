#include "effecttext/font.h"

#include <QFontMetricsF>
#include <QStringList>
#include <algorithm>
#include <cmath>
#include <cstdint>

namespace caici {
namespace {

// Pixel size Qt uses when a description asks for the face's default height.
constexpr int kDefaultPixelSize = 16;

// Windows-only faces and the installed faces that stand in for them, nearest first.
void registerSubstitutions() {
    const QStringList yaHei{"Noto Sans CJK SC", "WenQuanYi Micro Hei", "WenQuanYi Zen Hei", "Droid Sans Fallback"};
    const QStringList hei{"Noto Sans CJK SC", "WenQuanYi Zen Hei", "WenQuanYi Micro Hei", "Droid Sans Fallback"};
    const QStringList song{"AR PL UMing CN", "Noto Serif CJK SC", "Noto Sans CJK SC"};
    const QStringList kai{"AR PL UKai CN", "AR PL UMing CN", "Noto Serif CJK SC", "Noto Sans CJK SC"};
    const QStringList sans{"DejaVu Sans", "Liberation Sans", "Noto Sans"};
    const QStringList calibri{"Carlito", "DejaVu Sans", "Liberation Sans"};
    for (const char* face : {"微软雅黑", "Microsoft YaHei", "Microsoft YaHei UI"}) {
        QFont::insertSubstitutions(QString::fromUtf8(face), yaHei);
    }
    for (const char* face : {"黑体", "SimHei"}) QFont::insertSubstitutions(QString::fromUtf8(face), hei);
    for (const char* face : {"宋体", "新宋体", "SimSun", "NSimSun"}) {
        QFont::insertSubstitutions(QString::fromUtf8(face), song);
    }
    // No installed face resembles the clerical script of 隶书; the brush-like
    // Kai face is the nearest in spirit.
    for (const char* face : {"楷体_GB2312", "楷体", "KaiTi", "KaiTi_GB2312", "隶书", "LiSu"}) {
        QFont::insertSubstitutions(QString::fromUtf8(face), kai);
    }
    for (const char* face : {"Tahoma", "MS Sans Serif", "Microsoft Sans Serif", "Arial", "Verdana"}) {
        QFont::insertSubstitutions(QString::fromUtf8(face), sans);
    }
    QFont::insertSubstitutions(QStringLiteral("Calibri"), calibri);
}

}  // namespace

int mulDiv(int a, int b, int c) {
    if (c == 0) return -1;
    const std::int64_t product = static_cast<std::int64_t>(a) * b;
    const std::int64_t magnitude = (std::llabs(product) + std::llabs(static_cast<std::int64_t>(c)) / 2) /
                                   std::llabs(static_cast<std::int64_t>(c));
    return static_cast<int>(((product < 0) != (c < 0)) ? -magnitude : magnitude);
}

void installFaceSubstitutions() {
    static const bool installed = [] {
        registerSubstitutions();
        return true;
    }();
    (void)installed;
}

QFont toQFont(const TLogFont& log) {
    installFaceSubstitutions();
    QFont font(QString::fromStdString(log.FaceName));
    font.setWeight(static_cast<QFont::Weight>(std::clamp(log.Weight == 0 ? FW_NORMAL : log.Weight, 1, 1000)));
    font.setItalic(log.Italic);
    font.setUnderline(log.Underline);
    font.setStrikeOut(log.StrikeOut);
    switch (log.Quality) {
        case TFontQuality::fqNonAntialiased:
            font.setStyleStrategy(QFont::NoAntialias);
            break;
        case TFontQuality::fqAntialiased:
            font.setStyleStrategy(QFont::PreferAntialias);
            break;
        case TFontQuality::fqDefault:
            break;
    }
    if (log.Height < 0) {
        font.setPixelSize(-log.Height);
    } else if (log.Height > 0) {
        // A positive height is the cell (ascent + descent); find the em size giving it.
        QFont probe = font;
        probe.setPixelSize(256);
        const QFontMetricsF metrics(probe);
        const double cell = metrics.ascent() + metrics.descent();
        font.setPixelSize(std::max(1, static_cast<int>(std::lround(log.Height * 256.0 / cell))));
    } else {
        font.setPixelSize(kDefaultPixelSize);
    }
    if (log.Width > 0) {
        const QFontMetricsF metrics(font);
        const double average = metrics.averageCharWidth();
        if (average > 0) font.setStretch(std::clamp(static_cast<int>(std::lround(log.Width * 100.0 / average)), 1, 4000));
    }
    return font;
}

TFont::TFont() : color_(clWindowText) {
    log_.FaceName = "Tahoma";
    log_.Height = -11;
}

TFont::TFont(const TFont& other) : log_(other.log_), color_(other.color_) {}

void TFont::Assign(const TFont& source) {
    log_ = source.log_;
    color_ = source.color_;
    changed();
}

void TFont::SetName(const std::string& value) {
    if (value == log_.FaceName) return;
    log_.FaceName = value;
    changed();
}

void TFont::SetHeight(int value) {
    if (value == log_.Height) return;
    log_.Height = value;
    changed();
}

int TFont::Size() const { return -mulDiv(log_.Height, 72, PixelsPerInch); }

void TFont::SetSize(int points) { SetHeight(-mulDiv(points, PixelsPerInch, 72)); }

void TFont::SetColor(TColor value) {
    if (value == color_) return;
    color_ = value;
    changed();
}

TFontStyles TFont::Style() const {
    return TFontStyles{}
        .with(TFontStyle::fsBold, log_.Weight >= FW_BOLD)
        .with(TFontStyle::fsItalic, log_.Italic)
        .with(TFontStyle::fsUnderline, log_.Underline)
        .with(TFontStyle::fsStrikeOut, log_.StrikeOut);
}

void TFont::SetStyle(TFontStyles value) {
    if (value == Style()) return;
    log_.Weight = value.Contains(TFontStyle::fsBold) ? FW_BOLD : FW_NORMAL;
    log_.Italic = value.Contains(TFontStyle::fsItalic);
    log_.Underline = value.Contains(TFontStyle::fsUnderline);
    log_.StrikeOut = value.Contains(TFontStyle::fsStrikeOut);
    changed();
}

void TFont::SetCharset(TFontCharset value) {
    if (value == log_.CharSet) return;
    log_.CharSet = value;
    changed();
}

void TFont::SetLogFont(const TLogFont& value) {
    if (value == log_) return;
    log_ = value;
    changed();
}

QFont TFont::ToQFont() const { return toQFont(log_); }

void TFont::changed() const {
    if (onChange_) onChange_();
}

}  // namespace caici
