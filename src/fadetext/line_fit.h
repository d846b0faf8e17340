#pragma once
// The size at which a display line fills its control: the largest character
// height at which what the line draws (its ink, with shadow, outline, blur
// and turn, as the renderer measures it) fits the client area less a margin
// on every side, at most a share of the client height so that a glyph with
// little height of its own does not swell to the whole screen, then
// multiplied by the scale the owner sets (the word size keys of the guessing
// window scale the fitted size) but never past the room: a larger scale grows
// only what the cap held back. Fitting by the ink rather than by the font's
// line box matters: for Chinese the line box is about 1.45 em high, the
// glyphs about 0.9 em, and a line fitted by its box leaves a third of the
// display empty. The ink grows in proportion to the character height but for
// the fixed shadow offset, so one measurement at a reference height gives the
// answer; one more at the chosen height corrects the rounding of hinted
// outlines. Nothing is rendered.

#include <QRect>
#include <QSize>
#include <string_view>

#include "effecttext/aa_font.h"

namespace caici {

struct LineFit {
    // Scales the fitted height; 1 = fitted exactly. Above 1 a line grows
    // only up to the largest height that still fits.
    double scale = 1.0;
};

struct FittedLine {
    int characterHeight = 1;
    // Where the line draws at that height, in its TextExtent box: the ink
    // with its effects, or the whole box for a line without ink.
    QRect ink;
};

// The margin on each side of a client area: a twentieth of its smaller side,
// at least 2 pixels.
int fitMargin(QSize client);
// The client area less the margin: where a fitted line's ink goes.
QRect fitRoom(QSize client);
// The largest fitted character height for a client area.
int fitCap(QSize client);

// The character height (pixels, at least 1) at which text fits client, for
// the renderer's surface font and effect, and where the text draws at it.
// Leaves the surface font's height at the answer.
FittedLine fitLine(TCnAAFontEx& renderer, std::string_view text, QSize client, const LineFit& fit);

}  // namespace caici
