#pragma once
// The host's panel for tonight's words, the same in the rules dialog and on
// the operator's console: a word with its points and optional forbidden
// words, added with "添加"; the list of tonight's words (those typed on a
// phone marked as such), where a word picked fills the fields again for
// "保存修改" or goes with "删除". Every change goes to the game, and the
// game's answer (added, or why not) shows at once under the fields, in the
// panel itself rather than in a box the host must close.

#include "game/game_listener.h"

#include <QWidget>

class QLabel;
class QLineEdit;
class QListWidget;
class QPushButton;
class QSpinBox;

namespace caici {

class Game;

class TonightPanel : public QWidget, private GameListener {
    Q_OBJECT
public:
    explicit TonightPanel(Game& game, QWidget* parent = nullptr);
    ~TonightPanel() override;

    QLabel* title = nullptr;
    QLineEdit* word = nullptr;
    QSpinBox* points = nullptr;
    QLineEdit* forbidden = nullptr;
    QPushButton* btnAdd = nullptr;
    QPushButton* btnSave = nullptr;
    QPushButton* btnRemove = nullptr;
    QListWidget* list = nullptr;
    QLabel* answer = nullptr;

private:
    void tonightChanged() override { showWords(); }

    void showWords();
    void picked();
    void add();
    void save();
    void remove();
    // The row picked in the list, -1 for none.
    int pickedRow() const;
    void clearFields();
    void say(const std::string& text, bool refused);

    Game& game_;
};

}  // namespace caici
