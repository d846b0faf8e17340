#pragma once
// The scoreboard as drawn outside its window: the podium, which the big
// screen's Podium also paints with, and the picture of the whole scoreboard
// that a host saves to show or print after the party. The picture holds every
// team whatever their number, at a fixed width, in the big screen's look.

#include "game/match.h"
#include "look/event_brand.h"

#include <QColor>
#include <QDate>
#include <QImage>
#include <QPixmap>
#include <QRect>
#include <QString>
#include <QStringList>

#include <vector>

class QFont;
class QPainter;

namespace caici {

inline constexpr char scoreboardTitle[] = "计分板";
// Every other row of the standings a little lighter, so that a row reads
// straight across a wide screen.
inline const QColor standingsStripe(255, 255, 255, 22);

// The first three of standings (best first) on their steps within area:
// second left, first in the middle and highest, third right, each name over
// its step on one or two lines after its colour mark, never cut. Names are
// drawn in font (its size aside), ranks and scores in digitalFamily.
void drawPodium(QPainter& painter, const QRect& area, const std::vector<Standing>& standings, const QFont& font,
                const QString& digitalFamily);

// What the picture of a scoreboard shows, read from a match once.
struct ScoreboardSheet {
    std::vector<Standing> standings;
    // What comes next, or that the match is over.
    QString status;
    bool finished = false;
    // The awards of a finished match, one line each.
    QStringList awards;
    EventBrand brand;
};

ScoreboardSheet scoreboardSheet(const Match& match, const EventBrand& brand);

// The scoreboard on the background under the panels' veil: the event's
// brand beside the title, what comes next, the podium and its awards once
// the match is finished, every team's standing with its colour mark, and
// the date. 1600 pixels wide; as high as the teams need. The picture also
// carries its words as text (its "Description"), which a saved PNG keeps
// for searches and screen readers.
QImage scoreboardPicture(const ScoreboardSheet& sheet, const QPixmap& background, const QString& digitalFamily,
                         const QDate& date);
QImage scoreboardPicture(const Match& match, const QPixmap& background, const QString& digitalFamily,
                         const QDate& date, const EventBrand& brand = {});

}  // namespace caici
