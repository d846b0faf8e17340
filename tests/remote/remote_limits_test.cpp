// What the remote holds out against over an evening and against a hostile
// machine on the Wi-Fi: phones that come and go never use it up, half-open
// connections neither keep a phone out nor stay for ever, a phone cannot make
// the game answer without limit, and no request is left waiting for an
// answer that will not come.

#include "remote/command_rate.h"
#include "remote/guarded_listener.h"
#include "remote_fixture.h"

#include <QNetworkProxy>
#include <QTcpSocket>

#include <algorithm>
#include <functional>

#include <gtest/gtest.h>

namespace caici::testing {
namespace {

bool hasState(const QJsonObject& message) {
    return stateIs(message, "type", "state");
}

// Lets the game's clock run past the time a request has, and gives the
// listener the moment it needs to look.
void letRequestTimePass(RemoteFixture& f) {
    f.game.now += GuardedListener::requestTime + std::chrono::milliseconds(1);
    (void)waitUntil([] { return false; }, 300);
}

std::unique_ptr<QTcpSocket> connectTo(quint16 port) {
    auto socket = std::make_unique<QTcpSocket>();
    socket->setProxy(QNetworkProxy::NoProxy);
    socket->connectToHost(QHostAddress::LocalHost, port);
    return socket;
}

std::size_t countConnected(const std::vector<std::unique_ptr<QTcpSocket>>& sockets) {
    return static_cast<std::size_t>(std::count_if(sockets.begin(), sockets.end(), [](const auto& socket) {
        return socket->state() == QAbstractSocket::ConnectedState;
    }));
}

// Every way a phone's connection ends gives its place back: phones reload,
// sleep and change networks all evening, far more often than the places.
TEST(RemoteLimits, EveryEndOfAPhonesConnectionGivesItsPlaceBack) {
    const struct {
        const char* name;
        // Four phones hold every seat meanwhile.
        bool seatsTaken;
        // Ends a phone that has just connected; false when that went wrong.
        std::function<bool(RemoteFixture&, PhoneClient&)> end;
    } cases[] = {
        {"the phone closes", false,
         [](RemoteFixture& f, PhoneClient& phone) {
             phone.close();
             return phone.waitClosed() && waitUntil([&] { return f.remote->phoneCount() == 0; });
         }},
        {"the phone vanishes", false,
         [](RemoteFixture& f, PhoneClient& phone) {
             phone.abort();
             return waitUntil([&] { return f.remote->phoneCount() == 0; });
         }},
        {"the game closes a phone that floods it", false,
         [](RemoteFixture& f, PhoneClient& phone) {
             for (std::size_t i = 0; i <= CommandRate::perSecond; ++i) phone.send(R"({"cmd":"ping"})");
             return phone.waitClosed() && phone.closeCode() == closeCode::flood &&
                    waitUntil([&] { return f.remote->phoneCount() == 0; });
         }},
        {"the game turns away a phone too many", true,
         [](RemoteFixture&, PhoneClient& phone) {
             return phone.waitClosed() && phone.closeCode() == closeCode::tooManyPhones;
         }},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        RemoteFixture f;
        std::vector<std::unique_ptr<PhoneClient>> seated;
        for (std::size_t i = 0; c.seatsTaken && i < RemoteServer::maxPhones; ++i) {
            seated.push_back(std::make_unique<PhoneClient>());
            ASSERT_TRUE(seated.back()->open(f.socket()));
        }
        const int cycles = GuardedListener::maxKeyed + GuardedListener::maxStrangers + 8;
        for (int i = 0; i < cycles; ++i) {
            SCOPED_TRACE(i);
            PhoneClient phone;
            // A phone turned away may hear so before the handshake is seen.
            const bool opened = phone.open(f.socket());
            if (!c.seatsTaken) {
                ASSERT_TRUE(opened && phone.waitForAny(hasState));
            }
            ASSERT_TRUE(c.end(f, phone));
        }
        seated.clear();
        ASSERT_TRUE(waitUntil([&] { return f.remote->phoneCount() == 0; }));

        // The places are free, not merely lent: a phone now stays past the
        // time a stranger has.
        PhoneClient last;
        ASSERT_TRUE(last.open(f.socket()));
        EXPECT_TRUE(last.waitForAny(hasState));
        letRequestTimePass(f);
        EXPECT_TRUE(last.connected());
        EXPECT_EQ(rawRequest(f.remote->port(), "GET", "/" + f.key() + "/").status, 200);
    }
}

// Five hundred connections that never finish a request, the key's or none,
// leave room for every page load and phone while they last, and hold no
// more than a bounded number of the game's file handles.
TEST(RemoteLimits, HalfOpenConnectionsCannotKeepAPhoneOut) {
    RemoteFixture f;
    const quint16 port = f.remote->port();
    const QByteArray partial[] = {
        {},
        "GET /" + f.key() + "/ HT",
        "GET /" + f.key() + "/ HTTP/1.1\r\nHost: 127.0.0.1\r\nX-Slow: ",
    };
    std::vector<std::unique_ptr<QTcpSocket>> slow;
    constexpr int rounds = 20;
    constexpr int batch = 25;
    int pages = 0;
    for (int round = 0; round < rounds; ++round) {
        for (int i = 0; i < batch; ++i) {
            slow.push_back(connectTo(port));
            if (!partial[slow.size() % 3].isEmpty()) slow.back()->write(partial[slow.size() % 3]);
        }
        // The listener takes them in as they come, as it would from a script.
        ASSERT_TRUE(waitUntil([&] {
            return std::all_of(slow.end() - batch, slow.end(), [](const auto& socket) {
                return socket->state() != QAbstractSocket::ConnectingState && socket->bytesToWrite() == 0;
            });
        }));
        pages += rawRequest(port, "GET", "/" + f.key() + "/").status == 200;
    }
    EXPECT_EQ(pages, rounds);
    PhoneClient phone;
    ASSERT_TRUE(phone.open(f.socket()));
    EXPECT_TRUE(phone.waitForAny(hasState));

    EXPECT_TRUE(waitUntil([&] { return countConnected(slow) <= std::size_t{GuardedListener::maxStrangers}; }));
}

// A connection that does not finish its request in time, or stays idle after
// its answers, is cut; a phone's live connection is not.
TEST(RemoteLimits, UnfinishedRequestsAndIdleConnectionsRunOutOfTime) {
    RemoteFixture f;
    const quint16 port = f.remote->port();
    const struct {
        const char* name;
        QByteArray sent;
    } cases[] = {
        {"nothing sent", {}},
        {"half a request line", "GET /" + f.key() + "/ HT"},
        {"headers never ended", "GET /" + f.key() + "/ HTTP/1.1\r\nHost: 127.0.0.1\r\n"},
        {"a body shorter than announced", "POST / HTTP/1.1\r\nHost: 127.0.0.1\r\nContent-Length: 100\r\n\r\nabc"},
        {"idle after the page", "GET /" + f.key() + "/ HTTP/1.1\r\nHost: 127.0.0.1\r\n\r\n"},
        {"idle after a refusal", "GET / HTTP/1.1\r\nHost: 127.0.0.1\r\n\r\n"},
    };
    std::vector<std::unique_ptr<QTcpSocket>> sockets;
    for (const auto& c : cases) {
        sockets.push_back(connectTo(port));
        if (!c.sent.isEmpty()) sockets.back()->write(c.sent);
    }
    // Connections are taken in the order they come: once the phone is in,
    // so is every connection before it, with the time it has.
    PhoneClient phone;
    ASSERT_TRUE(phone.open(f.socket()));
    ASSERT_TRUE(waitUntil([&] { return countConnected(sockets) == std::size(cases); }))
        << "nothing is cut before its time";

    letRequestTimePass(f);
    for (std::size_t i = 0; i < sockets.size(); ++i) {
        EXPECT_TRUE(waitUntil([&] { return sockets[i]->state() == QAbstractSocket::UnconnectedState; }, 1000))
            << cases[i].name;
    }
    EXPECT_TRUE(phone.connected());
}

// Control pings, which Qt answers by itself, count against the same limit as
// commands: a ping a second is answered for as long as a phone likes, a
// flood closes the phone after a handful.
TEST(RemoteLimits, PingsCountAgainstTheFloodLimit) {
    RemoteFixture f;
    PhoneClient calm;
    ASSERT_TRUE(calm.open(f.socket()));
    for (int i = 1; i <= 30; ++i) {
        f.game.later();
        calm.ping();
        ASSERT_TRUE(waitUntil([&] { return calm.pongs() == i; }));
    }
    EXPECT_TRUE(calm.connected());

    PhoneClient flooder;
    ASSERT_TRUE(flooder.open(f.socket()));
    constexpr int flood = 2000;
    for (int i = 0; i < flood; ++i) flooder.ping();
    ASSERT_TRUE(flooder.waitClosed());
    EXPECT_EQ(flooder.closeCode(), closeCode::flood);
    EXPECT_LE(flooder.pongs(), static_cast<int>(CommandRate::perSecond) + 1);
    EXPECT_TRUE(calm.connected());
}

// Requests sent together before any answer are each answered, in order; a
// refused handshake among them ends the connection and its answer says so,
// so that the client asks again for the rest instead of waiting for ever.
TEST(RemoteLimits, RequestsSentTogetherAreAllAnsweredOrTheConnectionEndsSayingSo) {
    RemoteFixture f;
    const quint16 port = f.remote->port();
    const QByteArray host = "Host: 127.0.0.1:" + QByteArray::number(port) + "\r\n";
    const auto get = [&](const QByteArray& path) { return "GET " + path + " HTTP/1.1\r\n" + host + "\r\n"; };
    const QByteArray page = "/" + f.key() + "/";
    const QByteArray refusedHandshake =
        "GET /" + QByteArray(32, '0') + "/ws HTTP/1.1\r\n" + host + upgradeHeaders(pageOrigin(port)) + "\r\n";
    const struct {
        const char* name;
        QByteArray sent;
        std::vector<int> statuses;
        bool ends;
    } cases[] = {
        {"the page and its parts", get(page) + get(page + "remote.js") + get(page + "remote.css"), {200, 200, 200},
         false},
        {"refused among answered", get(page) + get("/") + get(page + "remote.js"), {200, 403, 200}, false},
        {"a refused handshake first", refusedHandshake + get(page) + get(page + "remote.js"), {403}, true},
        {"a refused handshake between", get(page) + refusedHandshake + get(page + "remote.css"), {200, 403}, true},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        const HttpExchange exchange = rawExchange(port, c.sent, 3);
        ASSERT_EQ(exchange.answers.size(), c.statuses.size());
        for (std::size_t i = 0; i < c.statuses.size(); ++i) {
            EXPECT_EQ(exchange.answers[i].status, c.statuses[i]) << i;
        }
        EXPECT_EQ(exchange.closed, c.ends);
        if (c.ends) {
            EXPECT_EQ(exchange.answers.back().headers.value("connection"), "close");
        }
    }
}

}  // namespace
}  // namespace caici::testing
