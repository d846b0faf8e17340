#include "remote/phone_link.h"

#include "common/errors.h"
#include "texts/user_texts.h"

#include <QTimer>
#include <QWebSocket>

#include <utility>

namespace caici {
namespace {

const char* const binaryText = "只接受文字消息。";
const QString floodReason = QStringLiteral("操作太频繁，连接已断开。");
// How long a closed phone has to answer the close frame.
constexpr int closeGraceMs = 1000;
const char* const frameReaderClass = "QWebSocketDataProcessor";

}  // namespace

PhoneLink::PhoneLink(std::unique_ptr<QWebSocket> socket, MonotonicClock clock, QObject* parent)
    : QObject(parent), socket_(std::move(socket)), rate_(clock), addRate_(std::move(clock), addsPerSpan, addSpan) {
    socket_->setMaxAllowedIncomingFrameSize(maxMessageBytes);
    socket_->setMaxAllowedIncomingMessageSize(maxMessageBytes);
    connect(socket_.get(), &QWebSocket::textMessageReceived, this, &PhoneLink::readText);
    connect(socket_.get(), &QWebSocket::binaryMessageReceived, this, &PhoneLink::readBinary);
    connect(socket_.get(), &QWebSocket::disconnected, this, [this] { emit ended(*this); });
    watchPings();
}

void PhoneLink::watchPings() {
    // QWebSocket answers a control ping on its own and tells no one; only
    // its frame reader, a child object outside Qt's public interface,
    // announces each. Found by name: a Qt that renames it leaves pings
    // uncounted, which the ping flood test catches.
    for (QObject* child : socket_->children()) {
        if (qstrcmp(child->metaObject()->className(), frameReaderClass) == 0) {
            connect(child, SIGNAL(pingReceived(QByteArray)), this, SLOT(readPing()));
        }
    }
}

PhoneLink::~PhoneLink() {
    // The socket goes with the link; it must not report its end to a link
    // that is no more. A close frame just sent goes out before the socket
    // ends, so the page learns why.
    socket_->disconnect(this);
    socket_->flush();
    socket_->abort();
}

void PhoneLink::send(const QByteArray& message) {
    if (!closing_) socket_->sendTextMessage(QString::fromUtf8(message));
}

void PhoneLink::close(int code, const QString& reason) {
    if (closing_) return;
    closing_ = true;
    socket_->close(static_cast<QWebSocketProtocol::CloseCode>(code), reason);
    // A phone that never answers the close frame must not hold its place.
    QTimer::singleShot(closeGraceMs, socket_.get(), &QWebSocket::abort);
}

bool PhoneLink::admitted() {
    if (closing_) return false;
    if (rate_.admit()) return true;
    close(closeCode::flood, floodReason);
    return false;
}

void PhoneLink::readText(const QString& message) {
    if (!admitted()) return;
    PhoneCommand command;
    try {
        command = parsePhoneCommand(message.toUtf8());
    } catch (const Error& refused) {
        send(errorMessage(refused.what()));
        return;
    }
    if (command.kind == PhoneCommandKind::add && !addRate_.admit()) {
        send(tonightAnswerMessage(false, tonightTooFastText()));
        return;
    }
    emit commandReceived(*this, command);
}

void PhoneLink::readPing() {
    // Qt has already answered this one. A flood closes the socket, which
    // drops the pings still unread, so few more answers follow.
    admitted();
}

void PhoneLink::readBinary() {
    if (admitted()) send(errorMessage(binaryText));
}

}  // namespace caici
