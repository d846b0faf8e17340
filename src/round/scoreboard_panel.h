#pragma once
// The match's scoreboard on the big screen: rank, team with its colour mark,
// total score, total skips and rounds played, best first, ties shown as
// such; what comes next (the next regular round, a tie-break, the final);
// after the match, a podium for the first three with the players' awards.
// The event's brand stands beside the title.
// Every team shows whole at any window size the game runs in: rows and type
// are as large as the room and the number of teams allow, and the podium
// stands over the table or, where that leaves the table more room, beside
// it. Enter or "下一轮" starts the next round; Escape or "返回" goes back.

#include "look/event_brand.h"
#include "round/overlay_panel.h"

#include <vector>

class QLabel;
class QPushButton;
class QTableView;

namespace caici {

class BrandLabel;
class Game;
class StandingsModel;
struct Standing;

// The first three of a finished match on their steps: second left, first in
// the middle and highest, third right.
class Podium : public QWidget {
    Q_OBJECT
public:
    Podium(QWidget& parent, const QString& digitalFamily);
    void show(const std::vector<Standing>& standings);

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    QString digitalFamily_;
    std::vector<Standing> top_;
};

class ScoreboardPanel : public OverlayPanel {
    Q_OBJECT
public:
    ScoreboardPanel(QWidget& parent, const QPixmap& background, Game& game, const QString& digitalFamily);

    // The match changed: read it again.
    void refresh();
    void setEventBrand(const EventBrand& brand);

    BrandLabel* brand = nullptr;
    QLabel* status = nullptr;
    // The awards of a finished match, under what comes next.
    QLabel* awards = nullptr;
    QTableView* table = nullptr;
    Podium* podium = nullptr;
    QPushButton* next = nullptr;
    QPushButton* back = nullptr;

protected:
    void layOut(const QRect& content, const QRect& buttons) override;
    void keyPressEvent(QKeyEvent* event) override;

private:
    // Where the podium and the table go in body, and the table's text size.
    struct Arrangement {
        QRect podium;
        QRect table;
        int textPixels = 0;
    };
    Arrangement arrange(const QRect& body);
    // The largest text size up to maxPixels at which every row and every
    // whole cell fit area.
    int fittingText(const QSize& area, int maxPixels);
    // Sets the table's type and row heights for text of pixels.
    void sizeTable(int pixels);
    // Each column's width for its widest text, header included.
    std::vector<int> columnNeeds() const;
    // Lays the awards out at the top of body; what is left of it.
    QRect placeAwards(const QRect& body, int pixels);

    Game& game_;
    StandingsModel* model_ = nullptr;
    QString digitalFamily_;
};

}  // namespace caici
