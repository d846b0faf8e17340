#pragma once
// The match set-up, opened from the rules dialog: the host enters 2 to 12
// team names (第1队, 第2队, … at first), reorders or removes them, sets how
// many rounds each team plays, and starts the match. A name the match cannot
// take is refused here with the reason; names are shown as typed.

#include <QDialog>

class QLabel;
class QListWidget;
class QPushButton;
class QSpinBox;

namespace caici {

class Game;

class MatchDialog : public QDialog {
    Q_OBJECT
public:
    MatchDialog(QWidget* parent, Game& game);

    QListWidget* teams = nullptr;
    QSpinBox* passes = nullptr;
    QLabel* problem = nullptr;
    QPushButton* add = nullptr;
    QPushButton* remove = nullptr;
    QPushButton* up = nullptr;
    QPushButton* down = nullptr;
    QPushButton* start = nullptr;
    QPushButton* end = nullptr;

    // The names as they stand in the list.
    std::vector<std::string> names() const;

protected:
    void showEvent(QShowEvent* event) override;

private:
    void addTeam();
    void moveTeam(int by);
    void startMatch();

    Game& game_;
};

}  // namespace caici
