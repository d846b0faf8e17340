#pragma once
// The guessing window's pop-up menu pm1: about, word size and fitting, smoothing quality
// (a submenu whose four entries always carry exactly one check mark), full
// screen, the sound switch and the end of the round. The function-key
// shortcuts are registered on the window too, so they work while the window
// has the focus and the menu is closed. The menu only builds and owns the
// entries; the window connects their triggers to its handlers.

#include <QObject>

#include <array>

#include "effecttext/aa_types.h"

class QAction;
class QActionGroup;
class QMenu;
class QWidget;

namespace caici {

class GuessingWindowMenu {
public:
    // Creates the menu as a child of window and adds the entries with
    // shortcuts to window.
    explicit GuessingWindowMenu(QWidget& window);

    QMenu& pm1() const { return *pm1_; }

    QAction* N8 = nullptr;   // about box
    QAction* N9 = nullptr;   // separator
    QAction* N1 = nullptr;   // word size up, F1
    QAction* N2 = nullptr;   // word size down, F2
    // The word at the largest size that fits the screen, scaled by F1/F2;
    // checked while on.
    QAction* autoSize = nullptr;
    QAction* N3 = nullptr;   // quality submenu
    QAction* N12 = nullptr;  // aqHigh
    QAction* N13 = nullptr;  // aqNormal
    QAction* N14 = nullptr;  // aqLow
    QAction* N15 = nullptr;  // aqNone, checked at start
    QAction* N4 = nullptr;   // full screen, F4
    QAction* N7 = nullptr;   // sound switch, F5, checked while sound is on
    // Pause (Space, P, or a clicker's B or "."), while a round runs.
    QAction* pause = nullptr;
    // For viewers who need them and slow machines: no fading; the word white
    // on black. Both checked while on.
    QAction* reduceMotion = nullptr;
    QAction* highContrast = nullptr;
    QAction* restoreDefaults = nullptr;
    // The match: its scoreboard (Tab) and its exports, while one is played.
    QAction* scoreboard = nullptr;
    QAction* exportCsv = nullptr;
    QAction* exportPicture = nullptr;
    // Two screens: the round full screen on the projector, the operator's
    // console on the other screen; checked while on.
    QAction* operatorConsole = nullptr;
    // The word library: another file, or the one in use in the spreadsheet
    // program; the program that owns the library answers them.
    QAction* openLibrary = nullptr;
    QAction* editLibrary = nullptr;
    QAction* N5 = nullptr;   // separator
    QAction* N6 = nullptr;   // end this round

    // The quality entry for a quality.
    QAction* qualityEntry(TAAQuality quality) const;
    // Moves the single check mark of the quality submenu to quality.
    void checkQuality(TAAQuality quality) const;

private:
    QMenu* pm1_ = nullptr;
    QActionGroup* qualityGroup_ = nullptr;
    std::array<QAction*, 4> qualityEntries_{};
};

}  // namespace caici
