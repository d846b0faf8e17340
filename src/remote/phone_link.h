#pragma once
// One phone's live connection, after its key was checked: it reads the
// phone's commands and hands on those that are well formed, answers the
// others with an error, and closes a phone that floods it or sends frames
// over 4 KB (Qt closes those itself, with 1009). Control pings count against
// the same flood limit as commands. Everything it sends is one text frame.

#include "common/clock.h"
#include "remote/command_rate.h"
#include "remote/remote_protocol.h"

#include <QObject>
#include <QString>

#include <chrono>
#include <cstddef>
#include <memory>

class QWebSocket;

namespace caici {

class PhoneLink : public QObject {
    Q_OBJECT
public:
    static constexpr qint64 maxMessageBytes = 4096;
    // Words typed on a phone are kept on disk and shown to the host: a few
    // in a short while is all a person types; more are answered "too fast"
    // and not added.
    static constexpr std::size_t addsPerSpan = 3;
    static constexpr std::chrono::milliseconds addSpan{10000};

    PhoneLink(std::unique_ptr<QWebSocket> socket, MonotonicClock clock, QObject* parent);
    ~PhoneLink() override;

    void send(const QByteArray& message);
    void close(int code, const QString& reason);

signals:
    void commandReceived(PhoneLink& link, PhoneCommand command);
    // The connection is gone. The link may be deleted once control is back
    // in the event loop, not before: this signal is still on the stack.
    void ended(PhoneLink& link);

private slots:
    void readPing();

private:
    void watchPings();
    void readText(const QString& message);
    void readBinary();
    bool admitted();

    std::unique_ptr<QWebSocket> socket_;
    CommandRate rate_;
    CommandRate addRate_;
    bool closing_ = false;
};

}  // namespace caici
