#pragma once
// A game of the test's own words with the remote switched on, listening on
// 127.0.0.1 only, its flood count on the game's test clock.

#include "game_fixture.h"
#include "phone_client.h"
#include "remote/remote_server.h"

#include <memory>
#include <string>
#include <vector>

namespace caici::testing {

class RemoteFixture {
public:
    explicit RemoteFixture(const std::vector<WordEntry>& words = {{"大象", 3}, {"长颈鹿", 2}, {"熊猫", 1}, {"企鹅", 2},
                                                                     {"老虎", 3}, {"猴子", 1}}) {
        game.dealInOrder(words);
        switchOn();
    }

    // shown: the address the game names for phones; it listens on loopback whatever it names.
    void switchOn(quint16 port = 0, const QString& shown = QStringLiteral("127.0.0.1")) {
        remote = std::make_unique<RemoteServer>(
            *game.game, RemoteOptions{QHostAddress(QHostAddress::LocalHost), port, shown, [this] { return game.now; }});
    }
    void switchOff() { remote.reset(); }

    QUrl page() const { return remote->address(); }
    QUrl socket() const { return socketUrl(page()); }
    QByteArray key() const { return page().path().mid(1).chopped(1).toLatin1(); }

    GameFixture game;
    std::unique_ptr<RemoteServer> remote;
};

inline bool stateIs(const QJsonObject& message, const char* field, const QJsonValue& value) {
    return message.value(QLatin1String(field)) == value;
}

}  // namespace caici::testing
