#pragma once
// The word library's section of the rules dialog: the file in use with
// "打开词库…", "编辑词库" and "重新读取", and the categories (the library's
// sheets, with their word counts) and points to deal, as check boxes. A
// choice that would leave no word is not taken: the box goes back and the
// section says why. What is chosen counts from the next start.

#include "game/game_listener.h"
#include "words/word_choice.h"

#include <QWidget>

#include <cstdint>
#include <utility>
#include <vector>

class QCheckBox;
class QGridLayout;
class QLabel;
class QPushButton;

namespace caici {

class Game;
class LibraryActions;

class LibraryPanel : public QWidget, private GameListener {
    Q_OBJECT
public:
    static constexpr int panelHeight = 140;

    LibraryPanel(Game& game, LibraryActions& actions, QWidget& dialog);
    ~LibraryPanel() override;

    // Shows the library as it is now; reads it first when no start has yet.
    void refresh();

    QPushButton* btnOpen = nullptr;
    QPushButton* btnEdit = nullptr;
    QPushButton* btnReload = nullptr;

signals:
    // The library in use may be another file now.
    void libraryShown();

private:
    void libraryChanged() override;
    // Tonight's words are a category of their own, ticked or not.
    void tonightChanged() override { showChoice(); }
    void showFile();
    void showChoice();
    void boxToggled(QCheckBox* box);
    WordChoice checkedChoice() const;

    Game& game_;
    LibraryActions& actions_;
    QLabel* file_ = nullptr;
    QLabel* hint_ = nullptr;
    QWidget* categoryList_ = nullptr;
    QGridLayout* categoryGrid_ = nullptr;
    std::vector<std::pair<std::string, QCheckBox*>> categoryBoxes_;
    std::vector<std::pair<std::int32_t, QCheckBox*>> pointBoxes_;
};

}  // namespace caici
