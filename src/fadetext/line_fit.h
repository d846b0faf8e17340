#pragma once
// The size at which a display line fills its control: the largest character
// height at which the line's whole box (turn, shadow offset and all, as the
// renderer measures it) fits the client area less a margin on every side, at
// most a share of the client height so that one character does not swell to
// the whole screen, then multiplied by the scale the owner sets (the word
// size keys of the guessing window scale the fitted size) but never past the
// room: a larger scale grows only what the cap held back. The box grows in
// proportion to the character height but for the fixed shadow offset, so one
// measurement at a reference height gives the answer; one more at the chosen
// height corrects the rounding of hinted metrics. Nothing is rendered.

#include <QSize>
#include <string_view>

#include "effecttext/aa_font.h"

namespace caici {

struct LineFit {
    // Scales the fitted height; 1 = fitted exactly. Above 1 a line grows
    // only up to the largest height that still fits.
    double scale = 1.0;
};

// The margin on each side of a client area: a twentieth of its smaller side,
// at least 2 pixels.
int fitMargin(QSize client);
// The largest fitted character height for a client area: 60 % of its height.
int fitCap(QSize client);

// The character height (pixels, at least 1) at which text fits client, for
// the renderer's surface font and effect. Leaves the surface font's height at
// the answer.
int fitLine(TCnAAFontEx& renderer, std::string_view text, QSize client, const LineFit& fit);

}  // namespace caici
