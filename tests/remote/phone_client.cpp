#include "phone_client.h"

#include <QJsonDocument>
#include <QNetworkProxy>
#include <QTcpSocket>
#include <QTest>

namespace caici::testing {

PhoneClient::PhoneClient() {
    socket_.setProxy(QNetworkProxy::NoProxy);
    QObject::connect(&socket_, &QWebSocket::textMessageReceived, [this](const QString& text) {
        messages_.push_back(QJsonDocument::fromJson(text.toUtf8()).object());
    });
    QObject::connect(&socket_, &QWebSocket::disconnected, [this] { closed_ = true; });
}

PhoneClient::~PhoneClient() {
    socket_.disconnect();
    socket_.abort();
}

bool PhoneClient::open(const QUrl& url) {
    socket_.open(url);
    return QTest::qWaitFor([this] { return connected() || closed_; }, waitMs) && connected();
}

void PhoneClient::sendText(const QByteArray& message) {
    socket_.sendTextMessage(QString::fromUtf8(message));
}

void PhoneClient::sendBinary(const QByteArray& message) {
    socket_.sendBinaryMessage(message);
}

bool PhoneClient::waitFrom(std::size_t seen, const std::function<bool(const QJsonObject&)>& test) {
    return QTest::qWaitFor(
        [&] {
            for (; seen < messages_.size(); ++seen) {
                if (test(messages_[seen])) return true;
            }
            return false;
        },
        waitMs);
}

bool PhoneClient::waitForNew(const std::function<bool(const QJsonObject&)>& test) {
    return waitFrom(messages_.size(), test);
}

bool PhoneClient::waitForAny(const std::function<bool(const QJsonObject&)>& test) {
    return waitFrom(0, test);
}

bool PhoneClient::waitForState(const std::function<bool(const QJsonObject&)>& test) {
    return waitForNew([&](const QJsonObject& message) {
        return message.value(QLatin1String("type")) == QLatin1String("state") && test(message);
    });
}

bool PhoneClient::waitClosed() {
    return QTest::qWaitFor([this] { return closed_; }, waitMs);
}

QJsonObject PhoneClient::lastState() const {
    for (auto it = messages_.rbegin(); it != messages_.rend(); ++it) {
        if (it->value(QLatin1String("type")) == QLatin1String("state")) return *it;
    }
    return {};
}

const QByteArray upgradeHeaders = QByteArrayLiteral(
    "Upgrade: websocket\r\nConnection: Upgrade\r\nSec-WebSocket-Key: dGhlIHNhbXBsZSBub25jZQ==\r\n"
    "Sec-WebSocket-Version: 13\r\n");

HttpAnswer rawRequest(quint16 port, const QByteArray& method, const QByteArray& path, const QByteArray& headers) {
    QTcpSocket socket;
    socket.setProxy(QNetworkProxy::NoProxy);
    socket.connectToHost(QHostAddress::LocalHost, port);
    HttpAnswer answer;
    if (!socket.waitForConnected(waitMs)) return answer;
    socket.write(method + ' ' + path + " HTTP/1.1\r\nHost: 127.0.0.1\r\n" +
                 (headers.isEmpty() ? QByteArrayLiteral("Connection: close\r\n") : headers) + "\r\n");
    QByteArray received;
    // The server answers and may keep the connection: read until the whole
    // body that Content-Length announces is in.
    const auto complete = [&] {
        const qsizetype end = received.indexOf("\r\n\r\n");
        if (end < 0) return false;
        const QList<QByteArray> lines = received.left(end).split('\n');
        answer = {};
        answer.status = lines.value(0).split(' ').value(1).toInt();
        for (qsizetype i = 1; i < lines.size(); ++i) {
            const QByteArray line = lines[i].trimmed();
            const qsizetype colon = line.indexOf(':');
            if (colon > 0) answer.headers.insert(line.left(colon).toLower(), line.mid(colon + 1).trimmed());
        }
        answer.body = received.mid(end + 4);
        return answer.body.size() >= answer.headers.value("content-length").toLongLong();
    };
    // A time-out leaves the answer as far as it came.
    (void)QTest::qWaitFor(
        [&] {
            received += socket.readAll();
            return complete() || socket.state() == QAbstractSocket::UnconnectedState;
        },
        waitMs);
    return answer;
}

QUrl socketUrl(const QUrl& page) {
    QUrl url = page;
    url.setScheme(QStringLiteral("ws"));
    url.setHost(QStringLiteral("127.0.0.1"));
    url.setPath(page.path() + QStringLiteral("ws"));
    return url;
}

}  // namespace caici::testing
