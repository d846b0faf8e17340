#include "remote/guarded_listener.h"

#include <QTcpSocket>

#include <memory>

namespace caici {

void GuardedListener::incomingConnection(qintptr descriptor) {
    auto* socket = new QTcpSocket(this);
    if (!socket->setSocketDescriptor(descriptor)) {
        socket->deleteLater();
        return;
    }
    if (open_ >= maxConnections) {
        socket->abort();
        socket->deleteLater();
        return;
    }
    ++open_;
    connect(socket, &QObject::destroyed, this, [this] { --open_; });
    // Connected before Qt's own reader, so it counts what arrives before Qt
    // reads it. Qt drops every readyRead connection when the socket becomes
    // a WebSocket: from then on the frames' own limits apply.
    const auto received = std::make_shared<qint64>(0);
    connect(socket, &QTcpSocket::readyRead, this, [socket, received] {
        *received += socket->bytesAvailable();
        if (*received > maxRequestBytes) socket->abort();
    });
    addPendingConnection(socket);
}

}  // namespace caici
