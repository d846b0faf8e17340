#pragma once
// A text's glyphs drawn with hard edges (every sample 0 or 255) into an 8-bit
// raster, for the supersampled drawing of a coverage mask. The text is shaped
// once; each drawing fills only the glyphs that meet the raster, one outline
// at a time. Two faults of drawing the whole text through QPainter::drawText
// are avoided that way: Qt fills the outlines of a large text as one path,
// whose scan conversion grows with the square of the text's length, and it
// smooths the outlines of a turned text above 64 pixels whatever the font
// asks. An upright text up to 64 pixels still goes through Qt's glyph cache,
// whose hinted glyphs look better at small sizes than plain outlines.
//
// hardEdgedInk says, without drawing, where such a drawing can put ink.

#include <QFont>
#include <QImage>
#include <QPainterPath>
#include <QPointF>
#include <QRawFont>
#include <QRectF>
#include <QString>
#include <optional>
#include <vector>

namespace caici {

// A one-line text as Qt shapes it, fallback faces included: each glyph on
// the baseline that the painter puts at the font's ascent, the text box's
// top-left at (0, 0).
struct ShapedLine {
    struct Glyph {
        std::size_t font;
        quint32 index;
        QPointF position;
    };
    std::vector<QRawFont> fonts;
    std::vector<Glyph> glyphs;
    // Underline and strike-out bars.
    std::vector<QRectF> bars;
};

class HardEdgedText {
public:
    // degrees: counter-clockwise turn on screen about the text box's top-left.
    HardEdgedText(const QFont& font, const QString& text, double degrees);

    // Draws in white, the text box's top-left at origin (raster pixels).
    void draw(QImage& raster, QPointF origin) const;

private:
    void drawOutlines(QImage& raster, QPointF origin) const;

    QFont font_;
    QString text_;
    double degrees_;
    bool throughGlyphCache_;
    // How far a glyph's outline may reach from its position, in pixels.
    double reach_;
    ShapedLine shaped_;
    // Each glyph's outline, loaded at its first drawing: a raster drawn in
    // bands fills the same glyphs once per band.
    mutable std::vector<std::optional<QPainterPath>> outlines_;
};

// The rectangle, in raster pixels with the text box's top-left at (0, 0),
// outside which HardEdgedText(font, text, degrees) puts no ink: the glyphs'
// boxes as the same shaping places them and the underline and strike-out
// bars, turned as drawn. Empty when nothing would be inked.
QRectF hardEdgedInk(const QFont& font, const QString& text, double degrees);

}  // namespace caici
