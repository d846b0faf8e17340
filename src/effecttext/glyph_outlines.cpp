#include "effecttext/glyph_outlines.h"

#include <QFontMetrics>
#include <QFontMetricsF>
#include <QGlyphRun>
#include <QPainter>
#include <QPainterPath>
#include <QTextLayout>
#include <QTransform>
#include <algorithm>

namespace caici {
namespace {

// Qt draws upright glyphs up to this pixel size from its glyph cache.
constexpr int kGlyphCacheLimit = 64;
// No glyph of an ordinary face reaches further than this many em from its
// position; the wide ligatures of some scripts come near three.
constexpr double kGlyphReachEm = 4.0;
// Hinting may move a cached glyph's edge by up to a pixel from its outline.
constexpr double kHintingReach = 1.0;

QTransform textToRaster(QPointF origin, double degrees) {
    QTransform transform;
    transform.translate(origin.x(), origin.y());
    // Turned counter-clockwise on screen, where y points down.
    if (degrees != 0.0) transform.rotate(-degrees);
    return transform;
}

bool drawnThroughGlyphCache(const QFont& font, double degrees) {
    return degrees == 0.0 && font.pixelSize() <= kGlyphCacheLimit;
}

ShapedLine shape(const QFont& font, const QString& text) {
    ShapedLine shaped;
    if (text.isEmpty()) return shaped;
    QTextLayout layout(text, font);
    QTextOption option;
    option.setWrapMode(QTextOption::NoWrap);
    layout.setTextOption(option);
    layout.setCacheEnabled(false);
    layout.beginLayout();
    QTextLine line = layout.createLine();
    line.setLineWidth(1e9);
    layout.endLayout();
    // The box's baseline lies at the font's ascent, as for a text drawn by
    // the painter; the layout's own line may sit lower for a fallback face.
    const int ascent = QFontMetrics(font).ascent();
    const double shift = ascent - (line.y() + line.ascent());
    for (const QGlyphRun& run : layout.glyphRuns()) {
        shaped.fonts.push_back(run.rawFont());
        const QList<quint32> indexes = run.glyphIndexes();
        const QList<QPointF> positions = run.positions();
        for (qsizetype i = 0; i < indexes.size(); ++i) {
            shaped.glyphs.push_back(
                {shaped.fonts.size() - 1, indexes[i], QPointF(positions[i].x(), positions[i].y() + shift)});
        }
    }
    if (font.underline() || font.strikeOut()) {
        const QFontMetricsF metrics(font);
        const double width = line.naturalTextWidth();
        const double thickness = std::max(1.0, metrics.lineWidth());
        if (font.underline()) shaped.bars.emplace_back(0.0, ascent + metrics.underlinePos(), width, thickness);
        if (font.strikeOut()) shaped.bars.emplace_back(0.0, ascent - metrics.strikeOutPos(), width, thickness);
    }
    return shaped;
}

}  // namespace

HardEdgedText::HardEdgedText(const QFont& font, const QString& text, double degrees)
    : font_(font),
      text_(text),
      degrees_(degrees),
      throughGlyphCache_(drawnThroughGlyphCache(font, degrees)),
      reach_(kGlyphReachEm * std::max(font.pixelSize(), 1)) {
    if (!throughGlyphCache_) shaped_ = shape(font, text);
    outlines_.resize(shaped_.glyphs.size());
}

void HardEdgedText::draw(QImage& raster, QPointF origin) const {
    if (raster.isNull() || text_.isEmpty()) return;
    if (!throughGlyphCache_) {
        drawOutlines(raster, origin);
        return;
    }
    QPainter painter(&raster);
    painter.setFont(font_);
    painter.setPen(Qt::white);
    painter.drawText(origin + QPointF(0, QFontMetrics(font_).ascent()), text_);
}

void HardEdgedText::drawOutlines(QImage& raster, QPointF origin) const {
    const QTransform transform = textToRaster(origin, degrees_);
    // Only glyphs near the raster are filled: asking each glyph for its exact
    // box would cost a glyph load per glyph of a long text.
    const QRectF visible =
        transform.inverted().mapRect(QRectF(raster.rect())).adjusted(-reach_, -reach_, reach_, reach_);
    QPainter painter(&raster);
    painter.setRenderHint(QPainter::Antialiasing, false);
    painter.setTransform(transform);
    painter.setPen(Qt::NoPen);
    painter.setBrush(Qt::white);
    for (std::size_t i = 0; i < shaped_.glyphs.size(); ++i) {
        const ShapedLine::Glyph& glyph = shaped_.glyphs[i];
        if (!visible.contains(glyph.position)) continue;
        std::optional<QPainterPath>& outline = outlines_[i];
        if (!outline) outline = shaped_.fonts[glyph.font].pathForGlyph(glyph.index).translated(glyph.position);
        painter.drawPath(*outline);
    }
    for (const QRectF& bar : shaped_.bars) painter.drawRect(bar);
}

QRectF hardEdgedInk(const QFont& font, const QString& text, double degrees) {
    const ShapedLine shaped = shape(font, text);
    QRectF ink;
    for (const ShapedLine::Glyph& glyph : shaped.glyphs) {
        // The box the face keeps for a glyph once loaded, its outline rounded
        // outward to whole pixels: reading the outline itself would cost a
        // glyph load for every glyph at every measurement.
        const QRectF box = shaped.fonts[glyph.font].boundingRect(glyph.index);
        if (!box.isEmpty()) ink |= box.translated(glyph.position);
    }
    for (const QRectF& bar : shaped.bars) ink |= bar;
    if (ink.isEmpty()) return {};
    if (drawnThroughGlyphCache(font, degrees)) {
        return ink.adjusted(-kHintingReach, -kHintingReach, kHintingReach, kHintingReach);
    }
    return textToRaster(QPointF(0.0, 0.0), degrees).mapRect(ink);
}

}  // namespace caici
