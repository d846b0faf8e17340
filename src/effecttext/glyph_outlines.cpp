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

QTransform textToRaster(QPointF origin, double degrees) {
    QTransform transform;
    transform.translate(origin.x(), origin.y());
    // Turned counter-clockwise on screen, where y points down.
    if (degrees != 0.0) transform.rotate(-degrees);
    return transform;
}

}  // namespace

HardEdgedText::HardEdgedText(const QFont& font, const QString& text, double degrees)
    : font_(font),
      text_(text),
      degrees_(degrees),
      throughGlyphCache_(degrees == 0.0 && font.pixelSize() <= kGlyphCacheLimit),
      reach_(kGlyphReachEm * std::max(font.pixelSize(), 1)) {
    if (throughGlyphCache_ || text.isEmpty()) return;
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
        const QRawFont raw = run.rawFont();
        fonts_.push_back(raw);
        const QList<quint32> indexes = run.glyphIndexes();
        const QList<QPointF> positions = run.positions();
        for (qsizetype i = 0; i < indexes.size(); ++i) {
            glyphs_.push_back({fonts_.size() - 1, indexes[i], QPointF(positions[i].x(), positions[i].y() + shift)});
        }
    }
    if (font.underline() || font.strikeOut()) {
        const QFontMetricsF metrics(font);
        const double width = line.naturalTextWidth();
        const double thickness = std::max(1.0, metrics.lineWidth());
        if (font.underline()) bars_.emplace_back(0.0, ascent + metrics.underlinePos(), width, thickness);
        if (font.strikeOut()) bars_.emplace_back(0.0, ascent - metrics.strikeOutPos(), width, thickness);
    }
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
    for (const Glyph& glyph : glyphs_) {
        if (!visible.contains(glyph.position)) continue;
        QPainterPath outline = fonts_[glyph.font].pathForGlyph(glyph.index);
        outline.translate(glyph.position);
        painter.drawPath(outline);
    }
    for (const QRectF& bar : bars_) painter.drawRect(bar);
}

}  // namespace caici
