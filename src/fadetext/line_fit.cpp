#include "fadetext/line_fit.h"

#include <algorithm>
#include <cmath>
#include <cstdlib>

#include "effecttext/render_limits.h"

namespace caici {
namespace {

// Large enough that the rounding of outlines hardly bends the proportions
// measured at it.
constexpr int kReferenceHeight = 200;

QSize shadowOffsets(const TCnAAEffect& effect) {
    if (!effect.Shadow().Enabled()) return {0, 0};
    return {std::abs(effect.Shadow().OffsetX()), std::abs(effect.Shadow().OffsetY())};
}

void setCharacterHeight(TCnAAFontEx& renderer, int height) {
    TLogFont font = renderer.Canvas()->Font().LogFont();
    font.Height = -height;
    renderer.Canvas()->Font().SetLogFont(font);
}

// What the line draws at the surface font's current height; a line of
// blanks draws nothing and is fitted by its box instead.
QRect drawnPart(TCnAAFontEx& renderer, std::string_view text) {
    const QRect ink = renderer.InkExtent(text);
    return ink.isEmpty() ? QRect(QPoint(0, 0), renderer.TextExtent(text)) : ink;
}

}  // namespace

int fitMargin(QSize client) { return std::max(2, std::min(client.width(), client.height()) / 20); }

QRect fitRoom(QSize client) {
    const int margin = fitMargin(client);
    return QRect(0, 0, client.width(), client.height()).adjusted(margin, margin, -margin, -margin);
}

// A character (its em, the height the font is asked for) at most nine tenths
// of the client height. A full-height Chinese glyph's ink is about 0.9 em, so
// for ordinary words the room decides and the word is as large as the display
// allows: in a 1904 x 775 full-screen display a two-character word stands
// over 600 pixels, more than half a 1080-line screen. The cap holds back the
// glyphs with little height of their own (一, 二, lower-case Latin), which
// fitted by their ink alone would grow until a single stroke spanned the
// display; they stay as large as they would be beside other characters.
int fitCap(QSize client) { return std::max(1, client.height() * 9 / 10); }

FittedLine fitLine(TCnAAFontEx& renderer, std::string_view text, QSize client, const LineFit& fit) {
    if (renderer.Canvas() == nullptr) return {};
    const QSize room = fitRoom(client).size();
    const QSize offsets = shadowOffsets(renderer.Effect());

    setCharacterHeight(renderer, kReferenceHeight);
    const QSize reference = drawnPart(renderer, text).size() - offsets;
    double fitting = kMaxCharacterHeight;
    if (reference.width() > 0) {
        fitting = std::min(fitting, double(room.width() - offsets.width()) * kReferenceHeight / reference.width());
    }
    if (reference.height() > 0) {
        fitting = std::min(fitting, double(room.height() - offsets.height()) * kReferenceHeight / reference.height());
    }
    const auto clamped = [](double value) {
        return static_cast<int>(std::clamp(std::floor(value), 1.0, double(kMaxCharacterHeight)));
    };
    // The scale grows a line the cap held back, but never past its room.
    const double fitted = std::min(fitting, double(fitCap(client)));
    FittedLine line{clamped(std::min(fitting, fitted * fit.scale)), {}};
    setCharacterHeight(renderer, line.characterHeight);
    line.ink = drawnPart(renderer, text);

    // Rounded outlines and hinted advances may overshoot: shrink until it fits.
    for (int attempt = 0; attempt < 3 && line.characterHeight > 1; ++attempt) {
        const double over = std::max(double(line.ink.width()) / std::max(room.width(), 1),
                                     double(line.ink.height()) / std::max(room.height(), 1));
        if (over <= 1.0) break;
        line.characterHeight = std::min(line.characterHeight - 1, clamped(line.characterHeight / over));
        setCharacterHeight(renderer, line.characterHeight);
        line.ink = drawnPart(renderer, text);
    }
    return line;
}

}  // namespace caici
