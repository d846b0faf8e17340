#pragma once
// The drawing surface: wraps an image owned elsewhere (a TBitmap, a control's
// off-screen frame) and carries the current font and brush, like the
// platform canvas the renderer was designed against. Pixel loops of the
// renderer read and write the image directly; the surface offers the
// operations that go through Qt's painter: text, fills, picture drawing and
// rectangle copies.

#include <QImage>
#include <QRect>
#include <QSize>
#include <string_view>

#include "effecttext/colors.h"
#include "effecttext/font.h"

namespace caici {

enum class TBrushStyle : std::uint8_t { bsSolid, bsClear };

struct TBrush {
    TColor Color = clWhite;
    TBrushStyle Style = TBrushStyle::bsSolid;
};

class TCanvas {
public:
    // The image must outlive the surface. Pixel operations of the renderer
    // accept Format_RGB32 and Format_BGR888 images.
    explicit TCanvas(QImage& target);
    TCanvas(const TCanvas&) = delete;
    TCanvas& operator=(const TCanvas&) = delete;

    QImage& Image() { return *image_; }
    const QImage& Image() const { return *image_; }
    int Width() const { return image_->width(); }
    int Height() const { return image_->height(); }

    TFont& Font() { return font_; }
    const TFont& Font() const { return font_; }
    TBrush& Brush() { return brush_; }
    const TBrush& Brush() const { return brush_; }

    // Advance width and cell height of the text in the current font, unrotated.
    QSize TextExtent(std::string_view text) const;
    int TextWidth(std::string_view text) const { return TextExtent(text).width(); }
    int TextHeight(std::string_view text) const { return TextExtent(text).height(); }
    // Draws in the font colour with the top-left of the text box at (x, y),
    // rotated about that point by the font's escapement. A solid brush fills
    // the text box first.
    void TextOut(int x, int y, std::string_view text);

    void FillRect(const QRect& rect);
    // Draws an image at its own size (alpha composited over what is there).
    void Draw(int x, int y, const QImage& graphic);
    void StretchDraw(const QRect& rect, const QImage& graphic);

private:
    QImage* image_;
    TFont font_;
    TBrush brush_;
};

}  // namespace caici
