#pragma once
// The start window's command menu pm1. It is never attached to a window and
// never shown: its entries are commands that code runs with trigger(), the
// library load and the shuffle at the start of a game, and the four cues the
// guessing round asks for. The menu only builds and owns the entries; the
// start window connects their triggers to its handlers.

class QAction;
class QMenu;
class QWidget;

namespace caici {

class StartCommandMenu {
public:
    explicit StartCommandMenu(QWidget& window);

    QMenu& pm1() const { return *pm1_; }

    QAction* N1 = nullptr;     // load the library into lst1
    QAction* lst21 = nullptr;  // shuffle lst1 into lst2
    QAction* N2 = nullptr;     // separator
    QAction* yes1 = nullptr;   // yes cue
    QAction* no1 = nullptr;    // no cue
    QAction* N3 = nullptr;     // end cue
    QAction* N4 = nullptr;     // score cue

private:
    QMenu* pm1_ = nullptr;
};

}  // namespace caici
