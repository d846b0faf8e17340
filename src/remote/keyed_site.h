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
// the socket's path ("/<key>/ws"); any other gets 403 like a request.

#include "remote/pairing_key.h"

#include <QAbstractHttpServer>
#include <QByteArray>

#include <optional>
#include <string_view>

namespace caici {

class KeyedSite : public QAbstractHttpServer {
    Q_OBJECT
public:
    // The path of the page's live connection after the key.
    static constexpr std::string_view socketName = "ws";

    KeyedSite(PairingKey key, QObject* parent = nullptr);

    const PairingKey* key() const { return key_ ? &*key_ : nullptr; }
    // From here on every request and every connection is refused.
    void forgetKey() { key_.reset(); }

    // What follows "/<key>/" in path, when path begins with the current key.
    std::optional<std::string_view> keyedPath(std::string_view path) const;

protected:
    bool handleRequest(const QHttpServerRequest& request, QTcpSocket* socket) override;
    void missingHandler(const QHttpServerRequest& request, QTcpSocket* socket) override;

private:
    std::optional<PairingKey> key_;
    QByteArray page_;
    QByteArray script_;
    QByteArray style_;
};

}  // namespace caici
