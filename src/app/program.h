#pragma once
// The whole program: the game, and the three windows that show it, created
// in the program's start order and living until the program ends: the start
// window TForm1 (the main window), the rules dialog TForm2 and the guessing
// window TForm3, both hidden at first.

#include "app/console_mode.h"
#include "app/library_actions.h"
#include "app/phone_remote.h"
#include "app/rules_dialog.h"
#include "app/start_window.h"
#include "common/clock.h"
#include "common/error_guard.h"
#include "cues/cue_player.h"
#include "game/game.h"
#include "look/settings.h"
#include "round/guessing_window.h"

#include <exception>
#include <memory>

namespace caici {

// What the program is made of. The audio library, the messages and the
// clock are the desktop's in the game and stand-ins in tests.
struct ProgramParts {
    // The current directory at program start, ending with "/".
    QString baseFolder;
    // The workbook reader program, as the file system names it.
    std::string readerPath;
    ErrorReporter& errors;
    std::unique_ptr<AudioLibrary> audio;
    CueStartupMessages& cueMessages;
    // The guessing window's boxes, colour chooser and browser; the desktop's
    // own when empty.
    std::shared_ptr<WindowDialogs> dialogs = {};
    MonotonicClock clock = steadyMilliseconds;
    // The file the settings are remembered in; the user's own when empty.
    QString settingsFile = {};
    // The file matches are kept in; in the user's data folder when empty.
    QString historyFile = {};
    // The folder of the user's own word library, ending with "/"; the
    // user's data folder when empty.
    QString libraryFolder = {};
    // The file tonight's words are kept in; in the user's data folder when empty.
    QString tonightFile = {};
};

// Thrown while the program is created when it has to end before any window
// is shown (an incorrect audio library version).
class ProgramEnd : public std::exception {
public:
    explicit ProgramEnd(int exitCode) : exitCode_(exitCode) {}
    int exitCode() const { return exitCode_; }
    const char* what() const noexcept override { return "the program ends"; }

private:
    int exitCode_;
};

class Program {
public:
    // Throws ProgramEnd when the program must end before any window shows.
    explicit Program(ProgramParts parts);
    ~Program();
    Program(const Program&) = delete;
    Program& operator=(const Program&) = delete;

    Game& game() { return *game_; }
    TForm1& form1() { return *form1_; }
    TForm2& form2() { return *form2_; }
    TForm3& form3() { return *form3_; }
    PhoneRemote& remote() { return *remote_; }

    // Shows the start window centred on the desktop (the first time), and
    // offers to take up a match the last run left unfinished.
    void showStartWindow();

private:
    class ErrorBoxes;

    // Declared in creation order, so the guessing window goes first when
    // the program ends and the game, which the windows show, last.
    std::shared_ptr<WindowDialogs> dialogs_;
    std::unique_ptr<Settings> settings_;
    std::unique_ptr<Game> game_;
    std::unique_ptr<LibraryActions> library_;
    std::unique_ptr<PhoneRemote> remote_;
    std::unique_ptr<ErrorBoxes> errorBoxes_;
    std::unique_ptr<TForm1> form1_;
    std::unique_ptr<TForm2> form2_;
    std::unique_ptr<TForm3> form3_;
    std::unique_ptr<ConsoleMode> console_;
};

}  // namespace caici
