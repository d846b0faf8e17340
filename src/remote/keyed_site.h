#pragma once
// The remote's web server: the phone page, its script and its style sheet,
// built into the program, under a path that begins with the pairing key
// ("/<key>/", "/<key>/remote.js", ...). A request whose path does not begin
// with the current key gets 403 and nothing else, whatever it asks for;
// nothing is ever read from disk and no folder is ever listed. Every answer
// forbids framing (so no other site can put the buttons under a decoy) and
// content sniffing, and is not cached (the key is in every address).
//
// A WebSocket upgrade goes on to the live connection only with the key and
// the socket's path ("/<key>/ws"), from the game's own page: its Origin and
// Host name the address the site serves, so a page of another site that
// learnt the key cannot drive the game. Any other gets 403 like a request.
//
// Requests sent one after another before any answer are answered in the
// order they came. A refused handshake ends its connection, and its answer
// says so ("Connection: close"), so a client that sent more requests behind
// it asks again instead of waiting.

#include "common/clock.h"
#include "remote/pairing_key.h"

#include <QAbstractHttpServer>
#include <QByteArray>
#include <QHostAddress>
#include <QPointer>
#include <QString>

#include <optional>
#include <string_view>
#include <vector>

namespace caici {

class GuardedListener;

class KeyedSite : public QAbstractHttpServer {
    Q_OBJECT
public:
    // The path of the page's live connection after the key.
    static constexpr std::string_view socketName = "ws";

    // clock times the requests that must finish in time.
    KeyedSite(PairingKey key, MonotonicClock clock, QObject* parent = nullptr);

    // Listens on address and port (0: any free one) and serves the page as
    // http://host:PORT/; false when the port cannot be had.
    bool serve(const QHostAddress& address, quint16 port, const QString& host);
    // The port it listens on; 0 before serve() and once closed.
    quint16 port() const;

    const PairingKey* key() const { return key_ ? &*key_ : nullptr; }
    // From here on every request and every connection is refused.
    void forgetKey() { key_.reset(); }

    // What follows "/<key>/" in path, when path begins with the current key.
    std::optional<std::string_view> keyedPath(std::string_view path) const;

protected:
    bool handleRequest(const QHttpServerRequest& request, QTcpSocket* socket) override;
    void missingHandler(const QHttpServerRequest& request, QTcpSocket* socket) override;

private:
    bool fromOwnPage(const QHttpServerRequest& request) const;

    std::optional<PairingKey> key_;
    MonotonicClock clock_;
    QPointer<GuardedListener> listener_;
    // "host:port" as a browser writes it in Host and, after "http://", in
    // Origin: the address the game shows, and loopback for a browser on the
    // game's own machine. A page of another site never names either, even
    // when its name resolves to this machine.
    std::vector<QByteArray> authorities_;
    QByteArray page_;
    QByteArray script_;
    QByteArray style_;
};

}  // namespace caici
