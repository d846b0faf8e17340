#include "remote/keyed_site.h"

#include <QFile>
#include <QHttpServerRequest>
#include <QHttpServerResponder>

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

// The page runs only its own script and style, talks only to its own host,
// and cannot be framed or sent anywhere else by a form or a base element.
const QByteArray contentPolicy = QByteArrayLiteral(
    "default-src 'none'; script-src 'self'; style-src 'self'; img-src 'self' data:; "
    "connect-src 'self' ws: wss:; frame-ancestors 'none'; base-uri 'none'; form-action 'none'");

void answer(QHttpServerResponder& responder, Status status, const QByteArray& type, const QByteArray& body) {
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
    responder.writeBody(body);
}

void refuse(QHttpServerResponder& responder) {
    answer(responder, Status::Forbidden, plainText, QByteArrayLiteral("403 配对码无效，请重新扫描二维码。\n"));
}

}  // namespace

KeyedSite::KeyedSite(PairingKey key, QObject* parent)
    : QAbstractHttpServer(parent),
      key_(std::move(key)),
      page_(resource("index.html")),
      script_(resource("remote.js")),
      style_(resource("remote.css")) {}

std::optional<std::string_view> KeyedSite::keyedPath(std::string_view path) const {
    if (!key_ || path.empty() || path.front() != '/') return std::nullopt;
    path.remove_prefix(1);
    const std::size_t slash = path.find('/');
    if (slash == std::string_view::npos || !key_->matches(path.substr(0, slash))) return std::nullopt;
    return path.substr(slash + 1);
}

bool KeyedSite::handleRequest(const QHttpServerRequest& request, QTcpSocket* socket) {
    QHttpServerResponder responder = makeResponder(request, socket);
    // The path exactly as sent: no decoding can turn a request into another.
    const QByteArray path = request.url().path(QUrl::FullyEncoded).toLatin1();
    const std::optional<std::string_view> rest = keyedPath(std::string_view(path.constData(), path.size()));
    if (request.value(QByteArrayLiteral("upgrade")).compare(QByteArrayLiteral("websocket"), Qt::CaseInsensitive) == 0) {
        // Qt asks before it upgrades: true lets the handshake go on with
        // nothing written here, false sends it to missingHandler.
        return rest && *rest == socketName;
    }
    if (!rest) {
        refuse(responder);
        return true;
    }
    if (request.method() != QHttpServerRequest::Method::Get) {
        answer(responder, Status::MethodNotAllowed, plainText, QByteArrayLiteral("405\n"));
        return true;
    }
    if (rest->empty()) {
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
    // Only a WebSocket upgrade without the key comes here: handleRequest
    // answers every other request itself.
    QHttpServerResponder responder = makeResponder(request, socket);
    refuse(responder);
}

}  // namespace caici
