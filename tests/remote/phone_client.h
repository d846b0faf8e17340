#pragma once
// A phone for tests: a WebSocket client on loopback that keeps every message
// the game sends it, and a plain HTTP request written byte for byte (so that
// a test can send paths no browser would). Every wait is bounded.

#include <QByteArray>
#include <QJsonObject>
#include <QMap>
#include <QUrl>
#include <QWebSocket>

#include <functional>
#include <vector>

namespace caici::testing {

constexpr int waitMs = 5000;

class PhoneClient {
public:
    PhoneClient();
    ~PhoneClient();

    // Connects and waits for the socket to open; false when it did not.
    bool open(const QUrl& url);
    void sendText(const QByteArray& message);
    void sendBinary(const QByteArray& message);
    void send(const char* json) { sendText(QByteArray(json)); }

    // Waits until a message received from now on satisfies test; false on
    // time-out.
    bool waitForNew(const std::function<bool(const QJsonObject&)>& test);
    // The same, counting the messages received so far too.
    bool waitForAny(const std::function<bool(const QJsonObject&)>& test);
    // Waits for a state message from now on that satisfies test.
    bool waitForState(const std::function<bool(const QJsonObject&)>& test);
    // Waits until the server has closed the connection.
    bool waitClosed();

    const std::vector<QJsonObject>& messages() const { return messages_; }
    QJsonObject lastState() const;
    bool connected() const { return socket_.state() == QAbstractSocket::ConnectedState; }
    int closeCode() const { return static_cast<int>(socket_.closeCode()); }
    QString closeReason() const { return socket_.closeReason(); }

private:
    bool waitFrom(std::size_t seen, const std::function<bool(const QJsonObject&)>& test);

    QWebSocket socket_;
    std::vector<QJsonObject> messages_;
    bool closed_ = false;
};

struct HttpAnswer {
    int status = 0;
    QMap<QByteArray, QByteArray> headers;  // names in lower case
    QByteArray body;
};

// Sends "METHOD path HTTP/1.1" with the given header lines (each ending in
// "\r\n") to port on 127.0.0.1 and reads the answer.
HttpAnswer rawRequest(quint16 port, const QByteArray& method, const QByteArray& path,
                      const QByteArray& headers = {});
// The head of a browser's WebSocket handshake.
extern const QByteArray upgradeHeaders;

// The socket address of a remote's page: ws://127.0.0.1:PORT/KEY/ws.
QUrl socketUrl(const QUrl& page);

}  // namespace caici::testing
