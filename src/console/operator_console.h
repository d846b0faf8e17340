#pragma once
// The operator's console: on the laptop's screen while the round is shown
// full screen on the projector. It shows what the audience must not see in
// advance (the word with its points and the next three words, so that the
// operator can get ready; in 禁词模式 its forbidden words under it), the
// time, the score, the skips and the team with its colour mark, the rule card
// the big screen shows before a round, and takes the operator's presses:
// "正确", "跳过", "犯规" (in 禁词模式), pause, the next round, and the review
// of a finished round. A presenter clicker works here as on the
// guessing window. Like every window, it only shows the game: when the game
// takes no "跳过" because of the round's skip cap, the console says so.

#include "console/team_mark.h"
#include "game/game_listener.h"

#include <QWidget>

#include <optional>

class QCheckBox;
class QComboBox;
class QHBoxLayout;
class QLabel;
class QPushButton;
class QTableView;

namespace caici {

class CardPanel;
class ErrorReporter;
class Game;
class ReviewModel;
class StandingsModel;
class TonightPanel;

class OperatorConsole : public QWidget, private GameListener {
    Q_OBJECT
public:
    static constexpr int upcomingShown = 3;

    OperatorConsole(Game& game, ErrorReporter& reporter, const QString& digitalFamily);
    ~OperatorConsole() override;

    QLabel* teamMark = nullptr;
    QLabel* team = nullptr;
    QLabel* word = nullptr;
    QLabel* points = nullptr;
    QLabel* forbidden = nullptr;
    QLabel* state = nullptr;
    QLabel* upcoming = nullptr;
    QLabel* time = nullptr;
    QLabel* score = nullptr;
    QLabel* skips = nullptr;
    QPushButton* btnCorrect = nullptr;
    QPushButton* btnSkip = nullptr;
    // Why "跳过" is greyed out, when the skip cap is the reason.
    QLabel* skipReason = nullptr;
    QPushButton* btnFoul = nullptr;
    QPushButton* btnPause = nullptr;
    QPushButton* btnStart = nullptr;
    CardPanel* card = nullptr;
    QWidget* review = nullptr;
    QTableView* reviewTable = nullptr;
    QLabel* reviewTotal = nullptr;
    QCheckBox* reviewCounts = nullptr;
    QPushButton* reviewConfirm = nullptr;
    QTableView* standings = nullptr;
    // The screen the round is shown on; the program fills and answers it.
    QComboBox* projectorChoice = nullptr;
    // Tonight's words, in a column beside the round.
    TonightPanel* tonight = nullptr;

signals:
    // The operator closed the console.
    void closed();

protected:
    void closeEvent(QCloseEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;

private:
    void roundStarted() override { refresh(); }
    void cardShown(const RoundCard&) override { refresh(); }
    void cardTimeChanged(std::int32_t) override { refresh(); }
    void wordShown(const WordEntry&) override { refresh(); }
    void scoreChanged(std::int64_t, std::int32_t) override { refresh(); }
    void skipTaken(std::int32_t, std::int32_t) override { refresh(); }
    void skipRefused() override { refresh(); }
    void libraryExhausted() override { refresh(); }
    void timeChanged(std::int32_t) override { refresh(); }
    void pausedChanged(bool) override { refresh(); }
    void commandsChanged(CommandSet) override { refresh(); }
    void forbiddenModeChanged(bool) override { refresh(); }
    void roundOver(std::int64_t, std::int32_t) override { refresh(); }
    void roundClosed() override { refresh(); }
    void busyChanged(bool) override { refresh(); }
    void matchChanged() override { refresh(); }
    void reviewChanged() override { refresh(); }

    void refresh();
    void showTeam(const QString& text, const std::optional<NamedTeam>& named);
    void showReview();
    void addTonightColumn(QHBoxLayout& columns);
    // Every press goes to the game as a command; one that fails says so in
    // the error box and goes no further.
    void command(CommandKind kind, std::size_t entry = 0, bool counts = false);

    Game& game_;
    ErrorReporter& reporter_;
    ReviewModel* reviewModel_ = nullptr;
    StandingsModel* standingsModel_ = nullptr;
};

}  // namespace caici
