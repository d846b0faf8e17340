#include "remote/keyed_site.h"

#include "remote/guarded_listener.h"

#include <QFile>
#include <QHttpServerRequest>
#include <QHttpServerResponder>
#include <QTcpSocket>

#include <algorithm>
#include <memory>
#include <utility>

namespace caici {
namespace {

using Status = QHttpServerResponder::StatusCode;

QByteArray resource(const char* name) {
    QFile file(QStringLiteral(":/remote/") + QLatin1String(name));
    // Built into the program: it opens or the build is broken.
    file.open(QIODevice::ReadOnly);
    return file.readAll();
}

const QByteArray plainText = QByteArrayLiteral("text/plain; charset=utf-8");
const QByteArray staleKeyText = QByteArrayLiteral("403 配对码无效，请重新扫描二维码。\n");
const QByteArray foreignPageText = QByteArrayLiteral("403 只有游戏自己的页面才能连接。\n");

// The page runs only its own script and style, talks only to its own host,
// and cannot be framed or sent anywhere else by a form or a base element.
const QByteArray contentPolicy = QByteArrayLiteral(
    "default-src 'none'; script-src 'self'; style-src 'self'; img-src 'self' data:; "
    "connect-src 'self' ws: wss:; frame-ancestors 'none'; base-uri 'none'; form-action 'none'");

// Whether the connection stays open for the client's next request.
enum class Ending { keepOpen, close };

void answer(QHttpServerResponder& responder, Status status, const QByteArray& type, const QByteArray& body,
            Ending ending = Ending::keepOpen) {
    responder.writeStatusLine(status);
    responder.writeHeader(QByteArrayLiteral("Content-Type"), type);
    responder.writeHeader(QByteArrayLiteral("Content-Length"), QByteArray::number(body.size()));
    responder.writeHeader(QByteArrayLiteral("X-Content-Type-Options"), QByteArrayLiteral("nosniff"));
    responder.writeHeader(QByteArrayLiteral("X-Frame-Options"), QByteArrayLiteral("DENY"));
    responder.writeHeader(QByteArrayLiteral("Content-Security-Policy"), contentPolicy);
    responder.writeHeader(QByteArrayLiteral("Referrer-Policy"), QByteArrayLiteral("no-referrer"));
    responder.writeHeader(QByteArrayLiteral("Cache-Control"), QByteArrayLiteral("no-store"));
    if (status == Status::MethodNotAllowed) {
        responder.writeHeader(QByteArrayLiteral("Allow"), QByteArrayLiteral("GET"));
    }
    if (ending == Ending::close) {
        responder.writeHeader(QByteArrayLiteral("Connection"), QByteArrayLiteral("close"));
    }
    responder.writeBody(body);
}

bool isUpgrade(const QHttpServerRequest& request) {
    const QByteArray upgrade = request.value(QByteArrayLiteral("upgrade"));
    return upgrade.compare(QByteArrayLiteral("websocket"), Qt::CaseInsensitive) == 0;
}

// How a browser names host and port in Host, and after the scheme in Origin:
// the port only when it is not HTTP's own.
QByteArray authorityOf(const QString& host, quint16 port) {
    QByteArray authority = host.toUtf8();
    if (port != 80) authority += ':' + QByteArray::number(port);
    return authority;
}

}  // namespace

KeyedSite::KeyedSite(PairingKey key, MonotonicClock clock, QObject* parent)
    : QAbstractHttpServer(parent),
      key_(std::move(key)),
      clock_(std::move(clock)),
      page_(resource("index.html")),
      script_(resource("remote.js")),
      style_(resource("remote.css")) {}

bool KeyedSite::serve(const QHostAddress& address, quint16 port, const QString& host) {
    auto listener = std::make_unique<GuardedListener>(clock_);
    if (!listener->listen(address, port)) return false;
    authorities_ = {authorityOf(host, listener->serverPort()),
                    authorityOf(QHostAddress(QHostAddress::LocalHost).toString(), listener->serverPort())};
    listener_ = listener.get();
    // The site becomes the listener's parent.
    bind(listener.release());
    return true;
}

quint16 KeyedSite::port() const {
    return listener_ ? listener_->serverPort() : 0;
}

std::optional<std::string_view> KeyedSite::keyedPath(std::string_view path) const {
    if (!key_ || path.empty() || path.front() != '/') return std::nullopt;
    path.remove_prefix(1);
    const std::size_t slash = path.find('/');
    if (slash == std::string_view::npos || !key_->matches(path.substr(0, slash))) return std::nullopt;
    return path.substr(slash + 1);
}

bool KeyedSite::fromOwnPage(const QHttpServerRequest& request) const {
    const QByteArray host = request.value(QByteArrayLiteral("host"));
    const bool ownHost = std::any_of(authorities_.begin(), authorities_.end(), [&](const QByteArray& authority) {
        return host.compare(authority, Qt::CaseInsensitive) == 0;
    });
    return ownHost && request.value(QByteArrayLiteral("origin")).compare("http://" + host, Qt::CaseInsensitive) == 0;
}

bool KeyedSite::handleRequest(const QHttpServerRequest& request, QTcpSocket* socket) {
    // The path exactly as sent: no decoding can turn a request into another.
    const QByteArray path = request.url().path(QUrl::FullyEncoded).toLatin1();
    const std::optional<std::string_view> rest = keyedPath(std::string_view(path.constData(), path.size()));
    if (isUpgrade(request)) {
        // Qt asks before it upgrades: true lets the handshake go on with
        // nothing written here, false sends it to missingHandler.
        if (!rest || *rest != socketName || !fromOwnPage(request)) return false;
        if (listener_) listener_->keyShown(socket, GuardedListener::Standing::live);
        return true;
    }
    if (rest && listener_) listener_->keyShown(socket, GuardedListener::Standing::page);
    QHttpServerResponder responder = makeResponder(request, socket);
    if (!rest) {
        answer(responder, Status::Forbidden, plainText, staleKeyText);
    } else if (request.method() != QHttpServerRequest::Method::Get) {
        answer(responder, Status::MethodNotAllowed, plainText, QByteArrayLiteral("405\n"));
    } else if (rest->empty()) {
        answer(responder, Status::Ok, QByteArrayLiteral("text/html; charset=utf-8"), page_);
    } else if (*rest == "remote.js") {
        answer(responder, Status::Ok, QByteArrayLiteral("text/javascript; charset=utf-8"), script_);
    } else if (*rest == "remote.css") {
        answer(responder, Status::Ok, QByteArrayLiteral("text/css; charset=utf-8"), style_);
    } else if (*rest == socketName) {
        answer(responder, Status::UpgradeRequired, plainText, QByteArrayLiteral("426\n"));
    } else {
        answer(responder, Status::NotFound, plainText, QByteArrayLiteral("404\n"));
    }
    return true;
}

void KeyedSite::missingHandler(const QHttpServerRequest& request, QTcpSocket* socket) {
    // Only a refused WebSocket upgrade comes here: handleRequest answers
    // every other request itself. Its connection ends after the answer (Qt
    // would end it too), and the answer says so: a client that sent more
    // requests behind it knows to ask again instead of waiting.
    const QByteArray path = request.url().path(QUrl::FullyEncoded).toLatin1();
    const std::optional<std::string_view> rest = keyedPath(std::string_view(path.constData(), path.size()));
    const bool keyed = rest && *rest == socketName;
    {
        QHttpServerResponder responder = makeResponder(request, socket);
        answer(responder, Status::Forbidden, plainText, keyed ? foreignPageText : staleKeyText, Ending::close);
    }
    socket->disconnectFromHost();
}

}  // namespace caici
