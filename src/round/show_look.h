#pragma once
// What the show adds to the big screen's look, shared by the rule card, the
// panels and the exported picture: a team's colour and its mark beside the
// name, headlines in the word display's yellow gradient, and the event's
// logo with its name. Every function draws into the painter it is given.

#include "game/match_rules.h"
#include "look/event_brand.h"

#include <QColor>
#include <QFont>
#include <QImage>
#include <QRect>
#include <QString>

#include <cstddef>

class QPainter;

namespace caici {

// The team colour at a place in teamPalette; the last colour for a place
// past its end.
QColor teamColor(std::size_t place);

// A round mark in a team's colour, as large as box allows, centred in it;
// a faint light ring keeps the darker colours visible on the dark ground.
void drawTeamMark(QPainter& painter, const QRectF& box, const QColor& color);

// The largest pixel size up to maxPixels at which text fits width on one
// line, at least minPixels.
int fittingPixels(QFont font, const QString& text, int width, int maxPixels, int minPixels = 8);

// text as the panels' titles wear it: bold, yellow in the middle and orange
// at the top and bottom, with a drop shadow; as large as area allows,
// centred in it.
void drawHeadline(QPainter& painter, const QRect& area, const QString& text);

// The logo scaled down once to a size that any screen shows sharply, so that
// a host's 20 MB photograph is not scaled at every paint.
QImage brandLogo(const QImage& logo);

// The event's logo (as high as area) and its name beside it, in font's face
// at up to three fifths of area's height, shrunk and then cut short with
// "…" to fit. alignment places the pair left, centred or right in area.
void drawBrand(QPainter& painter, const QRect& area, const EventBrand& brand, const QFont& font, const QColor& color,
               Qt::Alignment alignment);

}  // namespace caici
