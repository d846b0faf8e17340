#pragma once
// TForm1, the start window and main window of the game: the banner, the
// cross-fading title, the start label and the rules button. Behind its
// surface it owns the word list and the play order, the word library, the
// cue player and the command menu pm1 through which the guessing round asks
// for cues. Closing it ends the program.
//
// A start of a game that arrives while another one is still loading or
// shuffling (both let window messages run, so a second click can get in) is
// ignored: it would deal from a play order that is being replaced.

#include "common/error_guard.h"
#include "common/message_pump.h"
#include "cues/cue_player.h"
#include "round/guessing_window.h"
#include "round/round_ports.h"
#include "words/play_order.h"
#include "workbook/word_library.h"

#include <QWidget>

#include <memory>

class QLabel;
class QPushButton;

namespace caici {

class LibraryBrowser;
class RoundEngine;
class StartCommandMenu;
class StartLabel;
class TCnAAFadeText;
class TForm2;

// What the start window is created with. The audio library and the messages
// are the desktop's in the game and stand-ins in tests.
struct StartWindowParts {
    // The current directory at program start, ending with "/".
    QString baseFolder;
    // The workbook reader program.
    QString readerPath;
    ErrorReporter& errors;
    std::unique_ptr<AudioLibrary> audio;
    CueStartupMessages& cueMessages;
};

// Thrown while the start window is created when the program has to end
// before any window is shown (an incorrect audio library version).
class ProgramEnd : public std::exception {
public:
    explicit ProgramEnd(int exitCode) : exitCode_(exitCode) {}
    int exitCode() const { return exitCode_; }
    const char* what() const noexcept override { return "the program ends"; }

private:
    int exitCode_;
};

class TForm1 : public QWidget, public CueCommands, public SoundSwitch {
    Q_OBJECT
public:
    // Builds the layout, then takes the base folder and starts the cue
    // player; throws ProgramEnd when the audio library has the wrong version.
    explicit TForm1(StartWindowParts parts);
    ~TForm1() override;

    // The windows created after this one: the rules dialog and the round of
    // the guessing window. Both outlive the start window's use of them.
    void connectWindows(TForm2& rules, RoundEngine& round);
    // The seven-segment family the guessing window registered, for the
    // edition caption.
    void setDigitalFamily(const QString& family);

    WordLists& words() { return words_; }
    const WordLibrary& library() const { return library_; }
    const StartCommandMenu& commands() const { return *commands_; }
    const QString& baseFolder() const { return baseFolder_; }
    bool hovering() const { return hovering_; }

    // CueCommands: the guessing round runs yes1, no1, N3 and N4.
    void run(CueCommand command) override;
    // SoundSwitch: the guessing window's N7.
    void setSoundOn(bool on) override;

    // Components, named as in the window's design.
    QLabel* img1 = nullptr;
    TCnAAFadeText* aft1 = nullptr;
    StartLabel* Label2 = nullptr;
    QPushButton* btn3 = nullptr;
    QLabel* img2 = nullptr;
    QLabel* edition = nullptr;
    QLabel* editionDigits = nullptr;
    LibraryBrowser* pgc1 = nullptr;

    // Handlers; each runs its body inside guarded().
    void Label2MouseMove();
    void Label2MouseLeave();
    void Label2MouseDown();
    void Label2MouseUp();
    void Label2Click();
    void btn3Click();
    void btn2Click();
    void N1Click();
    void lst21Click();
    void yes1Click();
    void no1Click();
    void N3Click();
    void N4Click();

signals:
    // The window was closed: the program ends.
    void closed();

protected:
    void showEvent(QShowEvent* event) override;
    void closeEvent(QCloseEvent* event) override;

private:
    enum class StartActivity { idle, starting };

    void buildLayout();
    void buildMakerInformation();
    void buildTitle();
    void connectHandlers();
    void FormCreate(CueStartupMessages& messages);
    void FormShow();
    void startGame();
    void loadLibrary();
    template <class Body>
    void handle(Body&& body) {
        guarded(errors_, std::forward<Body>(body));
    }

    ErrorReporter& errors_;
    QString baseFolder_;
    MessagePump pump_;
    WordLists words_;
    WordLibrary library_;
    CuePlayer cues_;
    std::unique_ptr<StartCommandMenu> commands_;
    TForm2* rules_ = nullptr;
    RoundEngine* round_ = nullptr;
    bool hovering_ = false;
    bool shownBefore_ = false;
    StartActivity activity_ = StartActivity::idle;
};

}  // namespace caici
