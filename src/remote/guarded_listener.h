#pragma once
// The remote's listening socket, with limits a hostile machine on the Wi-Fi
// cannot push past.
//
// Connections are counted in two budgets. Strangers, connections that have
// not yet finished a request with the pairing key, share one: when it is
// full, a new connection takes the place of the oldest stranger, so a flood
// of idle or half-sent requests cannot keep a phone from loading its page.
// Connections that showed the key share the other: when it is full, the
// page connection idle longest makes room, never a phone's live connection.
// Both are bounded, so the game never runs out of file handles, which its
// sound and its words need too.
//
// A stranger must finish its request, and a page connection its next one,
// within requestTime, or it is cut. A phone's live connection has no such
// limit: its own close and flood rules apply.
//
// A connection is counted as long as its socket is open, whoever holds the
// socket object by then and whether or not it is ever destroyed: Qt takes
// over the socket of a WebSocket and drops every signal connection made to
// it, so its end is read from its state, not from a signal.
//
// Each connection may send a bounded number of bytes before it becomes a
// phone's live connection, so an endless request body cannot fill the
// memory (Qt's HTTP server keeps a whole request before it hands it on).

#include "common/clock.h"

#include <QPointer>
#include <QTcpServer>
#include <QTcpSocket>
#include <QTimer>

#include <chrono>
#include <vector>

namespace caici {

class GuardedListener : public QTcpServer {
    Q_OBJECT
public:
    enum class Standing {
        // Has not finished a request with the key.
        stranger,
        // Has loaded the page or its parts with the key; may ask again.
        page,
        // A phone's live connection, past its handshake with the key.
        live,
    };

    // Room for a crowd of half-open connections while phones still get in.
    static constexpr int maxStrangers = 32;
    // Four phones, their page loads and a browser's spare connections.
    static constexpr int maxKeyed = 32;
    // A phone on a weak Wi-Fi sends a request in well under a second.
    static constexpr std::chrono::milliseconds requestTime{5000};
    // Far more than any number of page loads on one kept-alive connection.
    static constexpr qint64 maxRequestBytes = 256 * 1024;

    explicit GuardedListener(MonotonicClock clock, QObject* parent = nullptr);

    // The socket has just finished a request with the key; standing is page
    // or live. A stranger that finds the keyed budget full of phones stays a
    // stranger, with the time it had.
    void keyShown(QTcpSocket* socket, Standing standing);

protected:
    void incomingConnection(qintptr descriptor) override;

private:
    struct Connection {
        QPointer<QTcpSocket> socket;
        Standing standing = Standing::stranger;
        std::chrono::milliseconds deadline{};
    };

    // Forgets the connections that have ended and cuts those out of time.
    void sweep();
    // Forgets the connections that have ended, only.
    void forgetEnded();
    // Cuts the connection of the given standing that is longest past due or
    // idle, other than spared; false when there is none.
    bool evictOne(Standing standing, const QTcpSocket* spared);
    int count(Standing standing) const;

    MonotonicClock clock_;
    // Every connection still counted, in the order they came.
    std::vector<Connection> connections_;
    QTimer sweeper_;
};

}  // namespace caici
