#pragma once
// The match set-up, opened from the rules dialog. The host enters 2 to 12
// team names (第1队, 第2队, … at first), reorders or removes them, and gives
// the team picked in the list its colour and, if wanted, its players; then
// the kind of every pass ("玩法": passes past the list play its last kind),
// whether every pass plays the same words again, how the match ends (a
// number of passes or a target score), whether a final closes it, and starts
// the match. What the match cannot take is refused here, with the reason,
// before anything starts; names are shown as typed.

#include "game/match_rules.h"

#include <QDialog>

#include <string>
#include <vector>

class QCheckBox;
class QComboBox;
class QLabel;
class QLineEdit;
class QListWidget;
class QPushButton;
class QRadioButton;
class QSpinBox;
class QVBoxLayout;

namespace caici {

class ColourSwatches;
class Game;

class MatchDialog : public QDialog {
    Q_OBJECT
public:
    static constexpr int maxPasses = 10;
    // As many rows of kinds as passes a match may have.
    static constexpr int maxKindRows = maxPasses;

    MatchDialog(QWidget* parent, Game& game);

    QListWidget* teams = nullptr;
    QPushButton* add = nullptr;
    QPushButton* remove = nullptr;
    QPushButton* up = nullptr;
    QPushButton* down = nullptr;
    // The team picked in the list.
    ColourSwatches* colour = nullptr;
    QLineEdit* players = nullptr;
    // "玩法": one box per pass.
    std::vector<QComboBox*> kinds;
    QPushButton* addKind = nullptr;
    QPushButton* removeKind = nullptr;
    QCheckBox* sameWords = nullptr;
    QRadioButton* byPasses = nullptr;
    QSpinBox* passes = nullptr;
    QRadioButton* byTarget = nullptr;
    QSpinBox* target = nullptr;
    QCheckBox* finalRound = nullptr;
    QLabel* problem = nullptr;
    QPushButton* start = nullptr;
    QPushButton* end = nullptr;

    // The names as they stand in the list.
    std::vector<std::string> names() const;
    // The match as set up now.
    MatchSetup setup() const;

protected:
    void showEvent(QShowEvent* event) override;

private:
    QWidget* buildTeams();
    QWidget* buildRules();
    void addTeam();
    void moveTeam(int by);
    // The picked team's colour and players into the fields below the list.
    void showPickedTeam();
    void addKindRow(RoundKind kind);
    void showEnd();
    void startMatch();

    Game& game_;
    QVBoxLayout* kindRows_ = nullptr;
    QLabel* pickedTeam_ = nullptr;
};

}  // namespace caici
