#pragma once
// The game's three windows, created in the program's start order and living
// until the program ends: the start window TForm1 (the main window), the
// rules dialog TForm2 and the guessing window TForm3, both hidden at first.
// Each reaches the others through the references handed over here.

#include "app/rules_dialog.h"
#include "app/start_window.h"
#include "round/guessing_window.h"

#include <memory>

namespace caici {

struct ProgramParts {
    StartWindowParts start;
    // The guessing window's boxes, colour chooser and browser; the desktop's
    // own when empty.
    std::shared_ptr<WindowDialogs> dialogs = {};
};

class Program {
public:
    // Throws ProgramEnd when the program must end before any window shows.
    explicit Program(ProgramParts parts);
    ~Program();
    Program(const Program&) = delete;
    Program& operator=(const Program&) = delete;

    TForm1& form1() { return *form1_; }
    TForm2& form2() { return *form2_; }
    TForm3& form3() { return *form3_; }

    // Shows the start window centred on the desktop (the first time).
    void showStartWindow();

private:
    // Declared in creation order, so the guessing window goes first when
    // the program ends and the start window, which the others use, last.
    std::unique_ptr<TForm1> form1_;
    std::unique_ptr<TForm2> form2_;
    std::unique_ptr<TForm3> form3_;
};

}  // namespace caici
