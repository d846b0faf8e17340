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

// Handles events until test holds; false after ms. Unlike QTest::qWaitFor it
// takes each event as it comes instead of sleeping between looks, so the
// many round trips of a loopback test take as long as they need.
bool waitUntil(const std::function<bool()>& test, int ms = waitMs);

class PhoneClient {
public:
    PhoneClient();
    ~PhoneClient();

    // Connects as the game's page at url's host and port does, and waits for
    // the socket to open; false when it did not.
    bool open(const QUrl& url);
    // The same from a page of origin ("http://host:port"; empty: none sent).
    bool openFrom(const QUrl& url, const QByteArray& origin);
    void sendText(const QByteArray& message);
    void sendBinary(const QByteArray& message);
    void send(const char* json) { sendText(QByteArray(json)); }
    // A control frame: the server answers it with a pong, which pongs() counts.
    void ping() { socket_.ping(); }
    // Ends the connection as a browser does: a close frame, and the server's
    // answer to it.
    void close() { socket_.close(); }
    // Ends it as a phone that loses the network does, without a word.
    void abort() { socket_.abort(); }

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
    int pongs() const { return pongs_; }

private:
    bool waitFrom(std::size_t seen, const std::function<bool(const QJsonObject&)>& test);

    QWebSocket socket_;
    std::vector<QJsonObject> messages_;
    bool closed_ = false;
    int pongs_ = 0;
};

struct HttpAnswer {
    int status = 0;
    QMap<QByteArray, QByteArray> headers;  // names in lower case
    QByteArray body;
};

// Sends "METHOD path HTTP/1.1" with the given header lines (each ending in
// "\r\n") to port on 127.0.0.1 and reads the answer. The Host line names
// 127.0.0.1 and port unless headers have their own.
HttpAnswer rawRequest(quint16 port, const QByteArray& method, const QByteArray& path,
                      const QByteArray& headers = {});

// What came back on one connection for bytes written at once.
struct HttpExchange {
    std::vector<HttpAnswer> answers;
    // The server ended the connection.
    bool closed = false;
};
// Writes bytes to port on 127.0.0.1 and reads answers until there are
// expected of them or the server ends the connection.
HttpExchange rawExchange(quint16 port, const QByteArray& bytes, std::size_t expected);

// The origin of the game's page on 127.0.0.1 at port.
QByteArray pageOrigin(quint16 port);
// The head of a browser's WebSocket handshake from a page of origin.
QByteArray upgradeHeaders(const QByteArray& origin);

// The socket address of a remote's page: ws://127.0.0.1:PORT/KEY/ws.
QUrl socketUrl(const QUrl& page);

}  // namespace caici::testing
