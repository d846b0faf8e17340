#pragma once
// What the entries of the guessing window's pop-up menu do. The menu only
// builds its entries; the window answers them through this interface, and
// wireMenu connects each entry's trigger to its answer. The library and
// console entries are answered by the program, which owns those.

#include "effecttext/aa_types.h"

class QObject;

namespace caici {

class GuessingWindowMenu;

class MenuHandlers {
public:
    virtual void N8Click() = 0;  // about box
    virtual void N1Click() = 0;  // word size up
    virtual void N2Click() = 0;  // word size down
    virtual void autoSizeClick() = 0;
    virtual void qualityClick(TAAQuality quality) = 0;
    virtual void N4Click() = 0;  // full screen
    virtual void pauseClick() = 0;
    virtual void N7Click() = 0;  // sound switch
    virtual void scoreboardClick() = 0;
    virtual void exportCsvClick() = 0;
    virtual void exportPictureClick() = 0;
    virtual void reduceMotionClick() = 0;
    virtual void highContrastClick() = 0;
    virtual void restoreDefaultsClick() = 0;
    virtual void N6Click() = 0;  // end this round

protected:
    ~MenuHandlers() = default;
};

// The connections live as long as receiver and the menu's entries.
void wireMenu(const GuessingWindowMenu& menu, MenuHandlers& handlers, QObject& receiver);

}  // namespace caici
