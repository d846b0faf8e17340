#pragma once
// The phone remote: a web server on the local network that serves the
// operator's page and keeps up to four phones live over WebSockets. It is a
// view of the game like any window: it hears every change as a GameListener
// and sends each phone the operator's view, and it turns the phones'
// commands into the game's own inputs.
//
// The server exists while the remote is on. It draws a fresh pairing key
// when created; everything without that key is refused. stop() (and the
// destructor) closes every connection and forgets the key.

#include "common/clock.h"
#include "game/game_listener.h"
#include "remote/phone_link.h"

#include <QHostAddress>
#include <QObject>
#include <QUrl>

#include <cstdint>
#include <memory>
#include <vector>

class QWebSocket;

namespace caici {

class Game;
class KeyedSite;

struct RemoteOptions {
    // Every IPv4 interface, so phones on the Wi-Fi reach it; tests use
    // loopback.
    QHostAddress listenOn = QHostAddress(QHostAddress::AnyIPv4);
    // 0 takes any free port.
    quint16 port = 0;
    // The host the address names: the machine's address on the local network.
    QString host = QStringLiteral("127.0.0.1");
    // Counts each phone's commands for the flood limit and times the
    // requests that must finish in time.
    MonotonicClock clock = steadyMilliseconds;
};

class RemoteServer : public QObject, private GameListener {
    Q_OBJECT
public:
    static constexpr std::size_t maxPhones = 4;

    // Listens at once. Throws Error when the port cannot be had or the
    // system gives no secure random key.
    RemoteServer(Game& game, RemoteOptions options, QObject* parent = nullptr);
    ~RemoteServer() override;

    // "http://HOST:PORT/KEY/", the address the QR code carries; empty once
    // stopped.
    QUrl address() const;
    quint16 port() const { return port_; }
    std::size_t phoneCount() const { return links_.size(); }

    // Closes every connection, stops listening and forgets the key. A server
    // stopped from inside one of its phones' commands (the host switches the
    // remote off while a start loads the library) is deleted later, with
    // deleteLater(), not at once.
    void stop();

signals:
    void phonesChanged(std::size_t count);

private:
    void shutDown();
    void acceptPhones();
    void refuse(std::unique_ptr<QWebSocket> socket, int code, const QString& reason);
    void run(PhoneLink& link, PhoneCommand command);
    void drop(PhoneLink& link);
    void scheduleView();
    void sendView();
    void broadcast(const QByteArray& message);

    // GameListener: every change reaches the phones as one fresh view, sent
    // once the game's call has returned, so a press that changes the word,
    // the score and the buttons sends one message, not three.
    void roundStarted() override;
    void cardShown(const RoundCard&) override { scheduleView(); }
    void cardTimeChanged(std::int32_t) override { scheduleView(); }
    void wordShown(const WordEntry& entry) override;
    void scoreChanged(std::int64_t total, std::int32_t gained) override;
    void skipTaken(std::int32_t skips, std::int32_t penalty) override;
    void skipRefused() override { scheduleView(); }
    void libraryExhausted() override { scheduleView(); }
    void timeChanged(std::int32_t) override { scheduleView(); }
    void countdownChanged(bool) override { scheduleView(); }
    void commandsChanged(CommandSet) override { scheduleView(); }
    void forbiddenModeChanged(bool) override { scheduleView(); }
    void roundOver(std::int64_t, std::int32_t) override { scheduleView(); }
    void roundClosed() override { scheduleView(); }
    void busyChanged(bool) override { scheduleView(); }
    void matchChanged() override { scheduleView(); }
    void reviewChanged() override { scheduleView(); }
    void error(const Problem& problem) override;

    Game& game_;
    MonotonicClock clock_;
    QString host_;
    quint16 port_ = 0;
    std::unique_ptr<KeyedSite> site_;
    // The phones taking part, owned by this object as their Qt parent: a link
    // whose connection ends goes with deleteLater(), since its own signal is
    // on the stack then.
    std::vector<PhoneLink*> links_;
    bool listening_ = false;
    bool viewPending_ = false;
    std::int32_t gained_ = 0;
    std::int32_t penalty_ = 0;
};

}  // namespace caici
