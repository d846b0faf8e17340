#pragma once
// The rule card on the operator's console while the big screen shows it
// before a round: the team with its colour mark, who acts, the round's stage
// in the match, the kind's name and its rule, and the 3-2-1. "正确" and the
// console's start end it early; the game decides, the panel only shows.

#include "console/team_mark.h"
#include "game/round_card.h"

#include <QWidget>

#include <cstdint>
#include <optional>

class QLabel;

namespace caici {

class CardPanel : public QWidget {
    Q_OBJECT
public:
    explicit CardPanel(QWidget* parent);

    // card as its count shows seconds; team as the match names it, none
    // outside a match.
    void showCard(const RoundCard& card, std::int32_t seconds, const std::optional<NamedTeam>& team);

    QLabel* cardMark = nullptr;
    QLabel* cardTeam = nullptr;
    QLabel* cardActor = nullptr;
    QLabel* cardStage = nullptr;
    QLabel* cardKind = nullptr;
    QLabel* cardRule = nullptr;
    QLabel* cardCount = nullptr;
};

}  // namespace caici
