#include "phone_client.h"

#include <QCoreApplication>
#include <QDeadlineTimer>
#include <QJsonDocument>
#include <QNetworkProxy>
#include <QNetworkRequest>
#include <QTcpSocket>
#include <QTimer>

namespace caici::testing {

bool waitUntil(const std::function<bool()>& test, int ms) {
    const QDeadlineTimer deadline(ms);
    // Wakes a wait for events that are not coming, so the deadline holds.
    QTimer wake;
    wake.start(10);
    while (!test()) {
        if (deadline.hasExpired()) return false;
        QCoreApplication::processEvents(QEventLoop::AllEvents | QEventLoop::WaitForMoreEvents);
        // Outside an event loop Qt deletes what went with deleteLater() only
        // when told.
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    }
    return true;
}

PhoneClient::PhoneClient() {
    socket_.setProxy(QNetworkProxy::NoProxy);
    QObject::connect(&socket_, &QWebSocket::textMessageReceived, [this](const QString& text) {
        messages_.push_back(QJsonDocument::fromJson(text.toUtf8()).object());
    });
    QObject::connect(&socket_, &QWebSocket::disconnected, [this] { closed_ = true; });
    QObject::connect(&socket_, &QWebSocket::pong, [this] { ++pongs_; });
}

PhoneClient::~PhoneClient() {
    socket_.disconnect();
    socket_.abort();
}

bool PhoneClient::open(const QUrl& url) {
    return openFrom(url, pageOrigin(static_cast<quint16>(url.port())));
}

bool PhoneClient::openFrom(const QUrl& url, const QByteArray& origin) {
    QNetworkRequest request(url);
    if (!origin.isEmpty()) request.setRawHeader(QByteArrayLiteral("Origin"), origin);
    socket_.open(request);
    return waitUntil([this] { return connected() || closed_; }) && connected();
}

void PhoneClient::sendText(const QByteArray& message) {
    socket_.sendTextMessage(QString::fromUtf8(message));
}

void PhoneClient::sendBinary(const QByteArray& message) {
    socket_.sendBinaryMessage(message);
}

bool PhoneClient::waitFrom(std::size_t seen, const std::function<bool(const QJsonObject&)>& test) {
    return waitUntil([&] {
        for (; seen < messages_.size(); ++seen) {
            if (test(messages_[seen])) return true;
        }
        return false;
    });
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
    return waitUntil([this] { return closed_; });
}

QJsonObject PhoneClient::lastState() const {
    for (auto it = messages_.rbegin(); it != messages_.rend(); ++it) {
        if (it->value(QLatin1String("type")) == QLatin1String("state")) return *it;
    }
    return {};
}

namespace {

// Takes the answers complete at the front of received, in order.
std::vector<HttpAnswer> takeAnswers(QByteArray& received) {
    std::vector<HttpAnswer> answers;
    for (;;) {
        const qsizetype end = received.indexOf("\r\n\r\n");
        if (end < 0) return answers;
        const QList<QByteArray> lines = received.left(end).split('\n');
        HttpAnswer answer;
        answer.status = lines.value(0).split(' ').value(1).toInt();
        for (qsizetype i = 1; i < lines.size(); ++i) {
            const QByteArray line = lines[i].trimmed();
            const qsizetype colon = line.indexOf(':');
            if (colon > 0) answer.headers.insert(line.left(colon).toLower(), line.mid(colon + 1).trimmed());
        }
        const qsizetype length = answer.headers.value("content-length").toLongLong();
        if (received.size() - end - 4 < length) return answers;
        answer.body = received.mid(end + 4, length);
        received.remove(0, end + 4 + length);
        answers.push_back(answer);
    }
}

}  // namespace

HttpAnswer rawRequest(quint16 port, const QByteArray& method, const QByteArray& path, const QByteArray& headers) {
    const QByteArray lower = headers.toLower();
    const QByteArray host = lower.startsWith("host:") || lower.contains("\nhost:")
                                ? QByteArray()
                                : "Host: 127.0.0.1:" + QByteArray::number(port) + "\r\n";
    const QByteArray request = method + ' ' + path + " HTTP/1.1\r\n" + host +
                               (headers.isEmpty() ? QByteArrayLiteral("Connection: close\r\n") : headers) + "\r\n";
    const HttpExchange exchange = rawExchange(port, request, 1);
    return exchange.answers.empty() ? HttpAnswer{} : exchange.answers.front();
}

HttpExchange rawExchange(quint16 port, const QByteArray& bytes, std::size_t expected) {
    QTcpSocket socket;
    socket.setProxy(QNetworkProxy::NoProxy);
    socket.connectToHost(QHostAddress::LocalHost, port);
    HttpExchange exchange;
    if (!socket.waitForConnected(waitMs)) return exchange;
    socket.write(bytes);
    QByteArray received;
    // The server may keep the connection: read until the answers are in, the
    // whole body that each Content-Length announces. A time-out leaves them
    // as far as they came.
    (void)waitUntil([&] {
        received += socket.readAll();
        for (HttpAnswer& answer : takeAnswers(received)) exchange.answers.push_back(std::move(answer));
        exchange.closed = socket.state() == QAbstractSocket::UnconnectedState;
        return exchange.answers.size() >= expected || exchange.closed;
    });
    return exchange;
}

QByteArray pageOrigin(quint16 port) {
    return "http://127.0.0.1:" + QByteArray::number(port);
}

QByteArray upgradeHeaders(const QByteArray& origin) {
    return "Upgrade: websocket\r\nConnection: Upgrade\r\nSec-WebSocket-Key: dGhlIHNhbXBsZSBub25jZQ==\r\n"
           "Sec-WebSocket-Version: 13\r\nOrigin: " +
           origin + "\r\n";
}

QUrl socketUrl(const QUrl& page) {
    QUrl url = page;
    url.setScheme(QStringLiteral("ws"));
    url.setHost(QStringLiteral("127.0.0.1"));
    url.setPath(page.path() + QStringLiteral("ws"));
    return url;
}

}  // namespace caici::testing
