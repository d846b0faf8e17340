#pragma once
// The rule card over the whole guessing window before a round of a match (or
// of a kind other than 描述): the event's brand small at the top, the team
// with its colour mark and who acts, the kind's name large in the title
// style with its rule in one line, the stage when it is not a regular round
// ("加赛", "决赛 · 双倍分"), the round's seconds, and the 3-2-1 count in a
// ring. It listens to the game itself: up at cardShown, counting on
// cardTimeChanged, gone when the first word shows or the round ends.
// Everything scales with the window, so it reads from the back of a room on
// any screen.

#include "game/game_listener.h"
#include "look/event_brand.h"
#include "round/panel_backdrop.h"

#include <QPixmap>
#include <QWidget>

class QLabel;

namespace caici {

class BrandLabel;
class CountLabel;
class Game;
class HeadlineLabel;
class MarkedLabel;

class RuleCardPanel : public QWidget, public GameListener {
    Q_OBJECT
public:
    // background is the window's picture; the card covers parent. It listens
    // to game for as long as it lives.
    RuleCardPanel(QWidget& parent, const QPixmap& background, Game& game, const QString& digitalFamily);
    ~RuleCardPanel() override;

    void setEventBrand(const EventBrand& brand);

    // GameListener
    void roundStarted() override;
    void cardShown(const RoundCard& card) override;
    void cardTimeChanged(std::int32_t seconds) override;
    void wordShown(const WordEntry& entry) override;
    void libraryExhausted() override;
    void roundClosed() override;

    BrandLabel* brand = nullptr;
    MarkedLabel* team = nullptr;
    QLabel* actor = nullptr;
    QLabel* stage = nullptr;
    HeadlineLabel* kind = nullptr;
    QLabel* rule = nullptr;
    QLabel* seconds = nullptr;
    CountLabel* count = nullptr;

protected:
    void paintEvent(QPaintEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;
    void showEvent(QShowEvent* event) override;
    void hideEvent(QHideEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void layOut();
    // The card's frame, in the team's colour.
    QRect cardArea() const;

    Game& game_;
    PanelBackdrop backdrop_;
    QColor frameColor_;
    int countOf_ = 0;
};

}  // namespace caici
