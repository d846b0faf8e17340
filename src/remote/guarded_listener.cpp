#include "remote/guarded_listener.h"

#include <algorithm>
#include <memory>
#include <utility>

namespace caici {
namespace {

// How often connections out of time are looked for: a small part of
// requestTime, so none lasts much longer.
constexpr std::chrono::milliseconds sweepEvery{250};

bool ended(const QPointer<QTcpSocket>& socket) {
    return socket.isNull() || socket->state() == QAbstractSocket::UnconnectedState;
}

}  // namespace

GuardedListener::GuardedListener(MonotonicClock clock, QObject* parent)
    : QTcpServer(parent), clock_(std::move(clock)) {
    connect(&sweeper_, &QTimer::timeout, this, &GuardedListener::sweep);
    sweeper_.start(sweepEvery);
}

void GuardedListener::incomingConnection(qintptr descriptor) {
    auto socket = std::make_unique<QTcpSocket>();
    if (!socket->setSocketDescriptor(descriptor)) return;
    sweep();
    if (count(Standing::stranger) >= maxStrangers) evictOne(Standing::stranger, nullptr);
    socket->setParent(this);
    connections_.push_back({socket.get(), Standing::stranger, clock_() + requestTime});
    // Connected before Qt's own reader, so it counts what arrives before Qt
    // reads it. Qt drops every connection to the socket's signals when it
    // becomes a WebSocket: from then on the frames' own limits apply.
    const auto received = std::make_shared<qint64>(0);
    QTcpSocket* counted = socket.get();
    connect(counted, &QTcpSocket::readyRead, this, [counted, received] {
        *received += counted->bytesAvailable();
        if (*received > maxRequestBytes) counted->abort();
    });
    addPendingConnection(socket.release());
}

void GuardedListener::keyShown(QTcpSocket* socket, Standing standing) {
    forgetEnded();
    const auto known = [socket](const Connection& c) { return c.socket == socket; };
    auto found = std::find_if(connections_.begin(), connections_.end(), known);
    if (found == connections_.end()) return;
    if (found->standing == Standing::stranger && count(Standing::page) + count(Standing::live) >= maxKeyed) {
        if (!evictOne(Standing::page, socket)) return;
        found = std::find_if(connections_.begin(), connections_.end(), known);
    }
    found->standing = standing;
    found->deadline = clock_() + requestTime;
}

void GuardedListener::forgetEnded() {
    std::erase_if(connections_, [](const Connection& c) { return ended(c.socket); });
}

void GuardedListener::sweep() {
    const std::chrono::milliseconds now = clock_();
    forgetEnded();
    std::vector<QPointer<QTcpSocket>> late;
    std::erase_if(connections_, [&](const Connection& c) {
        if (c.standing == Standing::live || now < c.deadline) return false;
        late.push_back(c.socket);
        return true;
    });
    // Cut once the list is settled: a socket's end runs Qt's handlers.
    for (const QPointer<QTcpSocket>& socket : late) {
        if (socket) socket->abort();
    }
}

bool GuardedListener::evictOne(Standing standing, const QTcpSocket* spared) {
    auto oldest = connections_.end();
    for (auto it = connections_.begin(); it != connections_.end(); ++it) {
        if (it->standing != standing || it->socket == spared) continue;
        if (oldest == connections_.end() || it->deadline < oldest->deadline) oldest = it;
    }
    if (oldest == connections_.end()) return false;
    const QPointer<QTcpSocket> socket = oldest->socket;
    connections_.erase(oldest);
    if (socket) socket->abort();
    return true;
}

int GuardedListener::count(Standing standing) const {
    return static_cast<int>(std::count_if(connections_.begin(), connections_.end(),
                                          [standing](const Connection& c) { return c.standing == standing; }));
}

}  // namespace caici
