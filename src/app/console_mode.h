#pragma once
// Playing with two screens: the guessing window full screen on the projector
// and the operator's console on the other screen. The host switches it on
// in the rules dialog or the guessing window's menu; the choice and the
// projector's screen are remembered. With one screen connected nothing
// changes; a screen plugged in or out mid-game is followed at once.

#include <QObject>
#include <QString>
#include <QStringList>

#include <memory>

namespace caici {

class ErrorReporter;
class Game;
class OperatorConsole;
class Settings;
class TForm3;

class ConsoleMode : public QObject {
    Q_OBJECT
public:
    ConsoleMode(Game& game, Settings& settings, TForm3& round, ErrorReporter& reporter, const QString& digitalFamily);
    ~ConsoleMode() override;

    // Two screens or more are connected.
    bool available() const;
    // The host wants the console (it shows only while available()).
    bool isOn() const;
    void setOn(bool on);
    // The screens as the host picks them, and the projector's among them.
    QStringList screenLabels() const;
    QString projectorLabel() const;
    void chooseProjector(const QString& label);

    OperatorConsole& console() { return *console_; }

signals:
    // Screens, the switch or the projector changed: show them again.
    void changed();

private:
    void apply();

    Game& game_;
    Settings& settings_;
    TForm3& round_;
    ErrorReporter& reporter_;
    std::unique_ptr<OperatorConsole> console_;
};

}  // namespace caici
