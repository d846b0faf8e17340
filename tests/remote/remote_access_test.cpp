// Who may use the remote: only requests and connections that carry the
// current pairing key, at most four phones, each message one of the fixed
// commands, at a human pace.

#include "remote/guarded_listener.h"
#include "remote/lan_address.h"
#include "remote/pairing_key.h"
#include "remote_fixture.h"

#include <QJsonArray>
#include <QNetworkProxy>
#include <QTcpSocket>
#include <QTest>

#include <algorithm>

#include <gtest/gtest.h>

namespace caici::testing {
namespace {

TEST(PairingKey, FreshKeysAre128RandomBitsComparedExactly) {
    const PairingKey first = PairingKey::fresh();
    const PairingKey second = PairingKey::fresh();
    EXPECT_NE(first.text(), second.text());
    ASSERT_EQ(first.text().size(), 32u);
    EXPECT_EQ(first.text().find_first_not_of("0123456789abcdef"), std::string::npos);

    const std::string key = first.text();
    std::string upper = key;
    for (char& c : upper) c = static_cast<char>(std::toupper(static_cast<unsigned char>(c)));
    const struct {
        std::string candidate;
        bool matches;
    } cases[] = {{key, true},
                 {key.substr(0, 31), false},
                 {key + "0", false},
                 {"", false},
                 {upper == key ? key.substr(1) : upper, false},
                 {std::string(32, key[0] == 'a' ? 'b' : 'a'), false}};
    for (const auto& c : cases) EXPECT_EQ(first.matches(c.candidate), c.matches) << c.candidate;
}

// Phones on the Wi-Fi reach the machine at its LAN address, not at the
// bridges of containers or a VPN's tunnel.
TEST(LanAddress, IsThePrivateIpv4AddressOfARealInterface) {
    const auto ip = [](const char* text) { return QHostAddress(QString::fromLatin1(text)); };
    const struct {
        const char* name;
        QList<InterfaceAddress> interfaces;
        const char* chosen;
    } cases[] = {
        {"nothing but loopback", {{"lo", ip("127.0.0.1"), true, true, false}}, "127.0.0.1"},
        {"home Wi-Fi", {{"lo", ip("127.0.0.1"), true, true, false}, {"wlan0", ip("192.168.1.23")}}, "192.168.1.23"},
        {"container bridge first", {{"docker0", ip("172.17.0.1")}, {"eth0", ip("10.0.0.5")}}, "10.0.0.5"},
        {"VPN tunnel", {{"tun0", ip("10.8.0.2"), true, false, true}, {"wlan0", ip("172.20.10.3")}}, "172.20.10.3"},
        {"interface down", {{"wlan0", ip("192.168.1.23"), false}, {"eth0", ip("10.1.2.3")}}, "10.1.2.3"},
        {"IPv6 and link-local only", {{"wlan0", ip("fe80::1")}, {"wlan0", ip("169.254.3.4")}}, "127.0.0.1"},
        {"private before public", {{"eth0", ip("203.0.113.7")}, {"wlan0", ip("192.168.0.9")}}, "192.168.0.9"},
        {"Wi-Fi beside a wired 10/8", {{"eth0", ip("10.0.0.5")}, {"wlan0", ip("192.168.1.23")}}, "192.168.1.23"},
    };
    for (const auto& c : cases) EXPECT_EQ(chooseLanAddress(c.interfaces), ip(c.chosen)) << c.name;
}

TEST(RemoteAccess, OnlyRequestsWithTheCurrentKeyAreAnswered) {
    RemoteFixture f;
    const QByteArray key = f.key();
    QByteArray otherKey = key;
    otherKey[0] = otherKey[0] == 'a' ? 'b' : 'a';
    const quint16 port = f.remote->port();
    const struct {
        QByteArray method;
        QByteArray path;
        int status;
        const char* type;
    } cases[] = {
        {"GET", "/", 403, nullptr},
        {"GET", "/favicon.ico", 403, nullptr},
        {"GET", "/" + otherKey + "/", 403, nullptr},
        {"GET", "/" + key.chopped(1) + "/", 403, nullptr},
        {"GET", "/" + key + "0/", 403, nullptr},
        {"GET", "/" + key.toUpper() + "/", 403, nullptr},
        {"GET", "/" + key, 403, nullptr},
        {"GET", "/%2e%2e/" + key + "/", 403, nullptr},
        {"GET", "/" + key + "/", 200, "text/html; charset=utf-8"},
        {"GET", "/" + key + "/remote.js", 200, "text/javascript; charset=utf-8"},
        {"GET", "/" + key + "/remote.css", 200, "text/css; charset=utf-8"},
        {"GET", "/" + key + "/../../etc/passwd", 404, nullptr},
        {"GET", "/" + key + "/%2e%2e/%2e%2e/etc/passwd", 404, nullptr},
        {"GET", "/" + key + "/remote.js/", 404, nullptr},
        {"GET", "/" + key + "/page/", 404, nullptr},
        {"GET", "/" + key + "/ws", 426, nullptr},
        {"POST", "/" + key + "/", 405, nullptr},
        {"DELETE", "/" + key + "/remote.js", 405, nullptr},
        {"POST", "/", 403, nullptr},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE((c.method + ' ' + c.path).toStdString());
        const HttpAnswer answer = rawRequest(port, c.method, c.path);
        EXPECT_EQ(answer.status, c.status);
        if (c.type != nullptr) {
            EXPECT_EQ(answer.headers.value("content-type"), QByteArray(c.type));
        } else {
            EXPECT_FALSE(answer.body.contains("<html")) << "no page without the key";
        }
        // Every answer forbids framing and sniffing, and is not cached.
        EXPECT_EQ(answer.headers.value("x-frame-options"), "DENY");
        EXPECT_EQ(answer.headers.value("x-content-type-options"), "nosniff");
        EXPECT_TRUE(answer.headers.value("content-security-policy").contains("frame-ancestors 'none'"));
        EXPECT_EQ(answer.headers.value("cache-control"), "no-store");
    }
    EXPECT_TRUE(rawRequest(port, "GET", "/" + key + "/").body.contains("正确"));
}

TEST(RemoteAccess, ConnectionsWithoutTheCurrentKeyAreRefusedAndChangeNothing) {
    RemoteFixture f;
    f.game.start();
    const RoundState before = f.game.round();
    const QByteArray key = f.key();
    const QByteArray ownPage = upgradeHeaders(pageOrigin(f.remote->port()));
    for (const QByteArray& path : {QByteArray("/ws"), "/" + QByteArray(32, '0') + "/ws", "/" + key + "/remote.js",
                                   "/" + key + "ws", "/" + key.toUpper() + "/ws"}) {
        SCOPED_TRACE(path.toStdString());
        EXPECT_EQ(rawRequest(f.remote->port(), "GET", path, ownPage).status, 403);
        QUrl url = f.socket();
        url.setPath(QString::fromLatin1(path));
        PhoneClient intruder;
        EXPECT_FALSE(intruder.open(url));
        intruder.send(R"({"cmd":"correct"})");
        EXPECT_TRUE(intruder.messages().empty()) << "not even the state is sent";
    }
    EXPECT_EQ(rawRequest(f.remote->port(), "GET", "/" + key + "/ws", ownPage).status, 101);
    EXPECT_EQ(f.game.round().score, before.score);
    EXPECT_EQ(f.game.round().skipCount, before.skipCount);
    EXPECT_EQ(f.game.round().currentEntry.word, before.currentEntry.word);
}

// The live connection is the game's own page's: a page of another site that
// learnt the key, or reaches the game under another name, is refused.
TEST(RemoteAccess, OnlyTheGamesOwnPageMayConnect) {
    RemoteFixture f;
    f.game.start();
    const RoundState before = f.game.round();
    const quint16 port = f.remote->port();
    const QByteArray own = "127.0.0.1:" + QByteArray::number(port);
    const QByteArray otherPort = "127.0.0.1:" + QByteArray::number(port == 65535 ? 1 : port + 1);
    const struct {
        const char* name;
        QByteArray origin;
        QByteArray host;
        int status;
    } cases[] = {
        {"the game's own page", "http://" + own, own, 101},
        {"another site", "https://example.com", own, 403},
        {"another port of this machine", "http://" + otherPort, own, 403},
        {"the address over https", "https://" + own, own, 403},
        {"an opaque origin", "null", own, 403},
        {"no origin", {}, own, 403},
        {"the address as part of another name", "http://" + own + ".example.com", own, 403},
        {"a name rebound to this machine", "http://evil.example:" + QByteArray::number(port),
         "evil.example:" + QByteArray::number(port), 403},
        {"the own page under another name", "http://localhost:" + QByteArray::number(port),
         "localhost:" + QByteArray::number(port), 403},
        {"another host named", "http://" + own, "evil.example:" + QByteArray::number(port), 403},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        QByteArray headers = "Host: " + c.host + "\r\n" + upgradeHeaders(c.origin);
        if (c.origin.isEmpty()) headers.replace("Origin: \r\n", "");
        const HttpAnswer answer = rawRequest(port, "GET", "/" + f.key() + "/ws", headers);
        EXPECT_EQ(answer.status, c.status);
        if (c.status == 403) {
            EXPECT_EQ(answer.headers.value("connection"), "close");
        }
    }

    PhoneClient foreign;
    EXPECT_FALSE(foreign.openFrom(f.socket(), "https://example.com"));
    foreign.send(R"({"cmd":"correct"})");
    EXPECT_TRUE(foreign.messages().empty()) << "not even the state is sent";
    PhoneClient page;
    EXPECT_TRUE(page.open(f.socket()));
    EXPECT_EQ(f.game.round().score, before.score);
    EXPECT_EQ(f.game.round().currentEntry.word, before.currentEntry.word);

    // The page the game names on the network, and the same page opened on
    // the game's own machine, are both its own.
    f.switchOff();
    f.switchOn(0, QStringLiteral("192.168.1.20"));
    const QByteArray shownPort = QByteArray::number(f.remote->port());
    for (const QByteArray& authority : {"192.168.1.20:" + shownPort, "127.0.0.1:" + shownPort}) {
        const QByteArray headers = "Host: " + authority + "\r\n" + upgradeHeaders("http://" + authority);
        EXPECT_EQ(rawRequest(f.remote->port(), "GET", "/" + f.key() + "/ws", headers).status, 101) << authority.data();
    }
}

TEST(RemoteAccess, SwitchingOffClosesEveryPhoneAndOnAgainDrawsANewKey) {
    RemoteFixture f;
    PhoneClient phone;
    ASSERT_TRUE(phone.open(f.socket()));
    const QUrl oldPage = f.page();
    const QUrl oldSocket = f.socket();
    const quint16 port = f.remote->port();

    f.switchOff();
    ASSERT_TRUE(phone.waitClosed());
    EXPECT_EQ(phone.closeCode(), closeCode::switchedOff);
    EXPECT_EQ(rawRequest(port, "GET", oldPage.path().toLatin1()).status, 0) << "nothing listens while off";

    f.switchOn(port);
    EXPECT_NE(f.page(), oldPage);
    EXPECT_EQ(f.page().port(), oldPage.port());
    EXPECT_EQ(rawRequest(port, "GET", oldPage.path().toLatin1()).status, 403);
    EXPECT_EQ(rawRequest(port, "GET", oldSocket.path().toLatin1(), upgradeHeaders(pageOrigin(port))).status, 403);
    PhoneClient stale;
    EXPECT_FALSE(stale.open(oldSocket));
    EXPECT_EQ(rawRequest(port, "GET", f.page().path().toLatin1()).status, 200);
    PhoneClient rescanned;
    EXPECT_TRUE(rescanned.open(f.socket()));
}

TEST(RemoteAccess, AtMostFourPhonesAtOnce) {
    RemoteFixture f;
    std::vector<std::unique_ptr<PhoneClient>> phones;
    for (int i = 0; i < 4; ++i) {
        phones.push_back(std::make_unique<PhoneClient>());
        ASSERT_TRUE(phones.back()->open(f.socket()));
        ASSERT_TRUE(phones.back()->waitForAny([](const QJsonObject& m) { return stateIs(m, "type", "state"); }));
    }
    EXPECT_EQ(f.remote->phoneCount(), 4u);

    PhoneClient fifth;
    fifth.open(f.socket());
    ASSERT_TRUE(fifth.waitClosed());
    EXPECT_EQ(fifth.closeCode(), closeCode::tooManyPhones);
    EXPECT_TRUE(fifth.closeReason().contains(QStringLiteral("4 部手机")));
    EXPECT_EQ(f.remote->phoneCount(), 4u);

    // One leaves: its place is free again.
    phones.front().reset();
    ASSERT_TRUE(QTest::qWaitFor([&] { return f.remote->phoneCount() == 3; }, waitMs));
    PhoneClient next;
    EXPECT_TRUE(next.open(f.socket()));
    EXPECT_TRUE(next.waitForAny([](const QJsonObject& m) { return stateIs(m, "type", "state"); }));
}

// A machine on the Wi-Fi can neither fill the game's memory with an endless
// request nor take all its file handles with idle connections.
TEST(RemoteAccess, EndlessRequestsAndConnectionFloodsAreCut) {
    RemoteFixture f;
    const quint16 port = f.remote->port();
    QTcpSocket endless;
    endless.setProxy(QNetworkProxy::NoProxy);
    endless.connectToHost(QHostAddress::LocalHost, port);
    ASSERT_TRUE(endless.waitForConnected(waitMs));
    endless.write("POST /" + f.key() + "/ HTTP/1.1\r\nHost: 127.0.0.1\r\nContent-Length: 1000000000\r\n\r\n");
    const QByteArray chunk(64 * 1024, 'x');
    // Bounded: 16 MB at most, far past the limit.
    for (int i = 0; i < 256 && endless.state() == QAbstractSocket::ConnectedState; ++i) {
        endless.write(chunk);
        endless.waitForBytesWritten(100);
        QCoreApplication::processEvents();
    }
    EXPECT_TRUE(QTest::qWaitFor([&] { return endless.state() == QAbstractSocket::UnconnectedState; }, waitMs));

    std::vector<std::unique_ptr<QTcpSocket>> idle;
    for (int i = 0; i < 40; ++i) {
        idle.push_back(std::make_unique<QTcpSocket>());
        idle.back()->setProxy(QNetworkProxy::NoProxy);
        idle.back()->connectToHost(QHostAddress::LocalHost, port);
        ASSERT_TRUE(idle.back()->waitForConnected(waitMs));
    }
    EXPECT_TRUE(QTest::qWaitFor(
        [&] {
            return std::count_if(idle.begin(), idle.end(), [](const auto& socket) {
                       return socket->state() == QAbstractSocket::UnconnectedState;
                   }) == 40 - GuardedListener::maxStrangers;
        },
        waitMs));
    idle.clear();
    // The server goes on as before.
    EXPECT_TRUE(QTest::qWaitFor([&] { return rawRequest(port, "GET", "/" + f.key() + "/").status == 200; }, waitMs));
}

TEST(RemoteAccess, MessagesOutsideTheFixedCommandsGetAnErrorAndChangeNothing) {
    RemoteFixture f;
    f.game.start();
    PhoneClient phone;
    ASSERT_TRUE(phone.open(f.socket()));
    const RoundState before = f.game.round();
    const char* refused[] = {
        "not json",
        "",
        "[]",
        "\"correct\"",
        "{}",
        R"({"cmd":"dance"})",
        R"({"cmd":"CORRECT"})",
        R"({"cmd":7})",
        R"({"cmd":"correct","times":100})",
        R"({"cmd":"toggle"})",
        R"({"cmd":"toggle","entry":-1})",
        R"({"cmd":"toggle","entry":1.5})",
        R"({"cmd":"toggle","entry":"1"})",
        R"({"cmd":"counts"})",
        R"({"cmd":"counts","counts":1})",
        R"({"cmd":"correct"} {"cmd":"correct"})",
    };
    for (const char* message : refused) {
        SCOPED_TRACE(message);
        const std::size_t seen = phone.messages().size();
        phone.send(message);
        ASSERT_TRUE(phone.waitForNew([](const QJsonObject& m) { return stateIs(m, "type", "error"); }));
        EXPECT_FALSE(phone.messages().back().value(QLatin1String("text")).toString().isEmpty());
        EXPECT_EQ(phone.messages().size(), seen + 1) << "one reply, no change";
        f.game.later();
    }
    phone.sendBinary(R"({"cmd":"correct"})");
    EXPECT_TRUE(phone.waitForNew([](const QJsonObject& m) { return stateIs(m, "type", "error"); }));
    EXPECT_TRUE(phone.connected());
    EXPECT_EQ(f.game.round().score, before.score);
    EXPECT_EQ(f.game.round().skipCount, before.skipCount);
    EXPECT_EQ(f.game.round().currentEntry.word, before.currentEntry.word);

    // A frame over 4 KB ends the connection before it is read.
    phone.sendText("{\"cmd\":\"correct\",\"pad\":\"" + QByteArray(5000, 'x') + "\"}");
    ASSERT_TRUE(phone.waitClosed());
    EXPECT_EQ(phone.closeCode(), int(QWebSocketProtocol::CloseCodeTooMuchData));
    EXPECT_EQ(f.game.round().score, before.score);
    EXPECT_EQ(f.game.round().currentEntry.word, before.currentEntry.word);
}

TEST(RemoteAccess, APhoneThatFloodsIsClosedAndTheOthersGoOn) {
    RemoteFixture f;
    f.game.start();
    PhoneClient flooder;
    PhoneClient operatorPhone;
    ASSERT_TRUE(flooder.open(f.socket()));
    ASSERT_TRUE(operatorPhone.open(f.socket()));
    // Thirty commands within one millisecond of the game's clock.
    for (int i = 0; i < 30; ++i) flooder.send(R"({"cmd":"correct"})");
    ASSERT_TRUE(flooder.waitClosed());
    EXPECT_EQ(flooder.closeCode(), closeCode::flood);
    EXPECT_LE(f.game.round().score, 3) << "at most the first press counted; the guard bounced the rest";

    f.game.later();
    operatorPhone.send(R"({"cmd":"skip"})");
    EXPECT_TRUE(operatorPhone.waitForState([](const QJsonObject& m) { return stateIs(m, "skips", 1); }));
}

}  // namespace
}  // namespace caici::testing
