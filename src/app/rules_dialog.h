#pragma once
// TForm2, the rules and settings dialog. It explains the game and holds its
// settings: the countdown length in whole seconds (10 to 999), typed into
// edt1, handed to the game for the next start and remembered for the next
// launch; the match set-up, the phone remote, 禁词模式 with what a foul costs,
// the word library, and how single rounds and the event are shown. The rules
// button shows it beside the start window, which moves aside to make room
// and back when the dialog closes.

#include <QDialog>
#include <QPoint>
#include <QPushButton>
#include <QRect>

#include <functional>

class QLabel;
class QLineEdit;
class QPushButton;

namespace caici {

class ErrorReporter;
class ConsoleMode;
class Game;
class LibraryActions;
class LibraryPanel;
class MatchDialog;
class PhoneRemote;
class Settings;
class TonightPanel;
class WindowDialogs;

// Where the dialog goes beside the start window (both as frames, in screen
// coordinates): right of it, 10 px away, with the start window moved left by
// startShift to make room (100 px where the screen allows, less or more
// where the pair would leave the free area); on a screen too narrow for
// both, over the start window's left side, away from its start label.
struct BesidePlacement {
    int startShift;
    QPoint dialog;
};
BesidePlacement placeBeside(const QRect& start, QSize dialog, const QRect& area);

class TForm2 : public QDialog {
    Q_OBJECT
public:
    static constexpr int minCountdown = 10;
    static constexpr int maxCountdown = 999;

    // startWindow is the window the dialog stands beside and moves back.
    TForm2(QWidget& startWindow, Game& game, Settings& settings, ErrorReporter& reporter);

    // The word library's section goes below the settings row, and the
    // maintenance lines name the library file and the sound folder (ending
    // with "/") in use. Before connectRemote.
    void connectLibrary(LibraryActions& actions, const QString& soundFolder);
    // The phone remote's switch goes into the settings row; while the remote
    // is on, its code shows below and the dialog grows to hold it.
    void connectRemote(PhoneRemote& remote);

    // The two-screen switch goes into the settings row, beside the remote's.
    void connectConsole(ConsoleMode& console);

    // Tonight's words go in a column right of the rest, shown at first where
    // the screen has room for it beside the start window, and at a click of
    // "今晚的词" anywhere. After connectLibrary.
    void connectTonight();
    void showTonight(bool shown);

    // "活动和玩法" (see ShowSettingsPanel) go in a column of their own in the
    // place of tonight's words, at a click of its button; the logo file is
    // chosen with dialogs. After connectLibrary.
    void connectShowSettings(WindowDialogs& dialogs);
    void showShowSettings(bool shown);

    QLineEdit& edt1() const { return *edt1_; }

    // Opens the match set-up.
    QPushButton* btnMatch = nullptr;

protected:
    void showEvent(QShowEvent* event) override;
    void hideEvent(QHideEvent* event) override;

private:
    void FormShow();
    void FormHide();
    void buildLayout();
    void edt1Change();
    void edt1Exit();
    // Shows column (tonight's words or the show's settings) right of the
    // rest, or none, and sizes the dialog for it.
    void showColumn(QWidget* column);
    // The button at place that shows or hides a side column.
    QPushButton* columnButton(const char* objectName, const QRect& place, std::function<void()> toggle);

    QWidget& startWindow_;
    Game& game_;
    Settings& settings_;
    // Parent-owned, made when first asked for.
    MatchDialog* matchDialog_ = nullptr;
    LibraryPanel* library_ = nullptr;
    TonightPanel* tonight_ = nullptr;
    QWidget* tonightColumn_ = nullptr;
    QPushButton* btnTonight_ = nullptr;
    QWidget* showColumn_ = nullptr;
    QPushButton* btnShowSettings_ = nullptr;
    QLabel* label1_ = nullptr;
    // How far the dialog moved the start window aside; undone when it closes.
    int startShift_ = 0;
    ErrorReporter& reporter_;
    QLineEdit* edt1_ = nullptr;
};

}  // namespace caici
