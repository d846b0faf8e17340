#pragma once
// The rules dialog's switches for forbidden words, at the foot of the
// column of tonight's words: "禁词模式" (the forbidden words
// under the word on every screen, and "犯规" on the devices with buttons),
// which follows the game's mode as the library and the host change it, and
// "犯规另扣 1 分" (a foul costs a point besides counting as a skip), which is
// remembered for the next launch and goes back to off with the defaults.

#include "game/game_listener.h"

#include <QObject>

class QCheckBox;
class QWidget;

namespace caici {

class ErrorReporter;
class Game;
class Settings;

class ForbiddenSwitches : public QObject, private GameListener {
    Q_OBJECT
public:
    // Puts both switches side by side into parent at top; everything given
    // outlives this, which parent owns.
    ForbiddenSwitches(QWidget& parent, int top, Game& game, Settings& settings, ErrorReporter& reporter);
    ~ForbiddenSwitches() override;

private:
    void forbiddenModeChanged(bool on) override;
    void applyFoulRule(bool costsPoint);

    Game& game_;
    Settings& settings_;
    ErrorReporter& reporter_;
    QCheckBox* mode_ = nullptr;
    QCheckBox* foulPoint_ = nullptr;
};

}  // namespace caici
