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

#include <QFont>
#include <QImage>
#include <QPointF>
#include <QRawFont>
#include <QRectF>
#include <QString>
#include <vector>

namespace caici {

class HardEdgedText {
public:
    // degrees: counter-clockwise turn on screen about the text box's top-left.
    HardEdgedText(const QFont& font, const QString& text, double degrees);

    // Draws in white, the text box's top-left at origin (raster pixels).
    void draw(QImage& raster, QPointF origin) const;

private:
    struct Glyph {
        std::size_t font;
        quint32 index;
        QPointF position;  // on the baseline, text box coordinates
    };

    void drawOutlines(QImage& raster, QPointF origin) const;

    QFont font_;
    QString text_;
    double degrees_;
    bool throughGlyphCache_;
    // How far a glyph's outline may reach from its position, in pixels.
    double reach_;
    std::vector<QRawFont> fonts_;
    std::vector<Glyph> glyphs_;
    // Underline and strike-out bars, text box coordinates.
    std::vector<QRectF> bars_;
};

}  // namespace caici
