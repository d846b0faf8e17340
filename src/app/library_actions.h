#pragma once
// What the host does with the word library from the rules dialog or the
// guessing window's menu: open another library file ("打开词库…"), edit the
// one in use in the desktop's spreadsheet program ("编辑词库"), read it again
// after an edit, and choose its categories and points. The program remembers
// the chosen file and, per library, the choice, and hands both back at the
// next launch.

#include "game/game_listener.h"
#include "words/word_choice.h"

#include <QObject>

class QWidget;

namespace caici {

class ErrorReporter;
class Game;
class Settings;
class WindowDialogs;

class LibraryActions : public QObject, private GameListener {
    Q_OBJECT
public:
    LibraryActions(Game& game, Settings& settings, WindowDialogs& dialogs, ErrorReporter& reporter);
    ~LibraryActions() override;

    // The choice remembered for the library in use, for the next start.
    void restoreChoice();
    // The file chooser, then a load of the file chosen.
    void open(QWidget* parent);
    // Opens the library in the spreadsheet program; a library the user may
    // not write is copied first and the copy becomes the library in use.
    void edit();
    // Reads the library again (after the host edited and saved it).
    void reload();
    // Deals only what choice admits from the next start; false, and nothing
    // changes, when the loaded library has no entry it admits.
    bool choose(const WordChoice& choice);

private:
    // The first of tonight's words ticks 今晚 in a choice of categories, the
    // last unticks it: remembered as if the host had ticked it.
    void tonightChanged() override;
    // The file in use as the settings name it.
    QString libraryKey() const;
    void openFile(const QString& path);

    Game& game_;
    Settings& settings_;
    WindowDialogs& dialogs_;
    ErrorReporter& reporter_;
};

}  // namespace caici
