#pragma once
// Takes the game's keys (key_map.h) before any widget sees them: in the
// windows of play (the guessing window and the operator's console) every key
// of the map, whichever of their widgets has the focus, so that a focused
// button neither swallows an arrow nor presses itself on Space; in any other
// window of the program only a clicker's keys. A key goes on to its widget
// when the game takes none of its commands and no round is running (the
// review's list still moves with the arrows); a text field keeps its keys,
// but for the clicker's page keys in a window of play. A held key counts
// once.

#include <QObject>
#include <QPointer>
#include <QWidget>

#include <vector>

namespace caici {

class Game;

class PlayKeys : public QObject {
    Q_OBJECT
public:
    // Watches the whole application from now on; game outlives this.
    explicit PlayKeys(Game& game, QObject* parent = nullptr);
    ~PlayKeys() override;

    void addWindow(QWidget& window);

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    bool isPlayWindow(const QWidget* window) const;

    Game& game_;
    std::vector<QPointer<QWidget>> windows_;
};

}  // namespace caici
