#pragma once
// The phone remote as the program switches it: on from the rules dialog
// (remembered for the next launch) or from the command line (for one run),
// off from the dialog. Each switch-on draws a new pairing key, so a phone
// that scanned an older code has to scan again. The windows show the address
// and its QR code while it is on.

#include <QObject>
#include <QUrl>

#include <cstddef>
#include <optional>

namespace caici {

class Game;
class RemoteServer;
class Settings;

class PhoneRemote : public QObject {
    Q_OBJECT
public:
    // The port the address uses unless it is taken, when any free one does.
    static constexpr quint16 usualPort = 8765;

    PhoneRemote(Game& game, Settings& settings);
    ~PhoneRemote() override;

    bool isOn() const { return server_ != nullptr; }
    // "http://HOST:PORT/KEY/"; empty while off.
    QUrl address() const;
    std::size_t phoneCount() const;

    // The rules dialog's switch, remembered. Throws Error when it cannot be
    // switched on; the remote then stays off.
    void setOn(bool on);
    // At program start: on when the host left it on last time. Throws Error
    // like setOn().
    void restore();
    // The command line's --remote[=PORT], for this run: exactly that port
    // when given. Throws Error like setOn().
    void switchOnForRun(std::optional<quint16> port);

signals:
    // Switched on or off, or a phone joined or left.
    void changed();

private:
    void start(quint16 port, bool anyPortWillDo);
    void stop();

    Game& game_;
    Settings& settings_;
    // A child of this object. Switching off deletes it later, not at once: a
    // phone's command (a start that loads the library) may be running the
    // event loop that delivered the switch.
    RemoteServer* server_ = nullptr;
};

}  // namespace caici
