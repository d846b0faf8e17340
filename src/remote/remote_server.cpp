#include "remote/remote_server.h"

#include "common/errors.h"
#include "game/game.h"
#include "remote/keyed_site.h"
#include "remote/operator_view.h"
#include "texts/user_texts.h"

#include <QPointer>
#include <QTcpServer>
#include <QTimer>
#include <QWebSocket>

#include <algorithm>
#include <utility>

namespace caici {
namespace {

const char* const portTakenText = "手机遥控无法使用端口 %d，它可能已被别的程序占用。";

Command gameCommand(const PhoneCommand& command) {
    switch (command.kind) {
        case PhoneCommandKind::correct: return Command{CommandKind::correct};
        case PhoneCommandKind::skip: return Command{CommandKind::skip};
        case PhoneCommandKind::foul: return Command{CommandKind::foul};
        case PhoneCommandKind::toggle:
            return Command{CommandKind::toggleEntry, static_cast<std::size_t>(command.entry)};
        case PhoneCommandKind::counts: return Command{CommandKind::setCounts, 0, command.counts};
        case PhoneCommandKind::confirm: return Command{CommandKind::confirm};
        case PhoneCommandKind::start:
        case PhoneCommandKind::ping:
        case PhoneCommandKind::add: break;
    }
    return Command{CommandKind::start};
}
const QString staleKeyReason = QStringLiteral("配对码已失效，请重新扫描二维码。");
const QString tooManyReason = QStringLiteral("已有 4 部手机在遥控，请先断开一部。");
const QString switchedOffReason = QStringLiteral("手机遥控已关闭。");

// A refused phone gets this long to read why before its socket is cut.
constexpr int refusalGraceMs = 1000;

}  // namespace

RemoteServer::RemoteServer(Game& game, RemoteOptions options, QObject* parent)
    : QObject(parent),
      game_(game),
      clock_(std::move(options.clock)),
      host_(std::move(options.host)),
      site_(std::make_unique<KeyedSite>(PairingKey::fresh(), clock_)) {
    if (!site_->serve(options.listenOn, options.port, host_)) {
        throw Error(formatMessage(portTakenText, std::to_string(options.port)));
    }
    port_ = site_->port();
    listening_ = true;
    connect(site_.get(), &QAbstractHttpServer::newWebSocketConnection, this, &RemoteServer::acceptPhones);
    game_.addListener(*this);
}

RemoteServer::~RemoteServer() {
    // No signal from here: whoever listens may be going away too.
    shutDown();
}

QUrl RemoteServer::address() const {
    const PairingKey* key = site_->key();
    if (key == nullptr) return {};
    QUrl url;
    url.setScheme(QStringLiteral("http"));
    url.setHost(host_);
    url.setPort(port_);
    url.setPath(QLatin1Char('/') + QString::fromStdString(key->text()) + QLatin1Char('/'));
    return url;
}

void RemoteServer::stop() {
    if (!listening_) return;
    shutDown();
    emit phonesChanged(0);
}

void RemoteServer::shutDown() {
    if (!listening_) return;
    listening_ = false;
    game_.removeListener(*this);
    site_->forgetKey();
    for (QTcpServer* listener : site_->servers()) listener->close();
    // Closing may report a connection's end at once: the list is emptied first.
    const std::vector<PhoneLink*> closing = std::exchange(links_, {});
    for (PhoneLink* link : closing) link->close(closeCode::switchedOff, switchedOffReason);
}

void RemoteServer::acceptPhones() {
    while (site_->hasPendingWebSocketConnections()) {
        std::unique_ptr<QWebSocket> socket = site_->nextPendingWebSocketConnection();
        const QByteArray path = socket->requestUrl().path(QUrl::FullyEncoded).toLatin1();
        const std::optional<std::string_view> rest = site_->keyedPath(std::string_view(path.constData(), path.size()));
        if (!rest || *rest != KeyedSite::socketName) {
            refuse(std::move(socket), closeCode::staleKey, staleKeyReason);
            continue;
        }
        if (links_.size() >= maxPhones) {
            refuse(std::move(socket), closeCode::tooManyPhones, tooManyReason);
            continue;
        }
        auto* link = new PhoneLink(std::move(socket), clock_, this);
        connect(link, &PhoneLink::commandReceived, this, &RemoteServer::run);
        connect(link, &PhoneLink::ended, this, &RemoteServer::drop);
        // A phone that has just (re)connected sees the game as it stands.
        link->send(stateMessage(operatorView(game_)));
        links_.push_back(link);
        emit phonesChanged(links_.size());
    }
}

void RemoteServer::refuse(std::unique_ptr<QWebSocket> socket, int code, const QString& reason) {
    // Not one of its messages is read. The socket stays, in the server's
    // keeping, until the phone has the close frame or the grace runs out.
    QWebSocket* closing = socket.release();
    closing->setParent(this);
    closing->close(static_cast<QWebSocketProtocol::CloseCode>(code), reason);
    connect(closing, &QWebSocket::disconnected, closing, &QObject::deleteLater);
    QTimer::singleShot(refusalGraceMs, closing, [closing] {
        closing->abort();
        closing->deleteLater();
    });
}

void RemoteServer::drop(PhoneLink& link) {
    link.deleteLater();
    const auto found = std::find(links_.begin(), links_.end(), &link);
    if (found == links_.end()) return;
    links_.erase(found);
    emit phonesChanged(links_.size());
}

void RemoteServer::run(PhoneLink& link, PhoneCommand command) {
    if (command.kind == PhoneCommandKind::ping) {
        link.send(pongMessage());
        return;
    }
    if (command.kind == PhoneCommandKind::add) {
        const std::string typed = trimmedText(command.tonight.word);
        const auto refused = game_.addTonightWord(command.tonight, TonightOrigin::phone);
        link.send(refused ? tonightAnswerMessage(false, tonightRefusalText(*refused))
                          : tonightAnswerMessage(true, tonightAddedText(typed)));
        return;
    }
    if (const std::optional<Refusal> refusal = game_.perform(gameCommand(command))) {
        link.send(errorMessage(refusalText(*refusal)));
    }
}

void RemoteServer::scheduleView() {
    if (viewPending_) return;
    viewPending_ = true;
    QMetaObject::invokeMethod(this, &RemoteServer::sendView, Qt::QueuedConnection);
}

void RemoteServer::sendView() {
    viewPending_ = false;
    if (!listening_) return;
    OperatorView view = operatorView(game_);
    view.gained = std::exchange(gained_, 0);
    view.penalty = std::exchange(penalty_, 0);
    broadcast(stateMessage(view));
}

void RemoteServer::broadcast(const QByteArray& message) {
    // To the phones of this moment: a failed write may end a connection and
    // drop it from the list meanwhile, and a walk by index would then skip
    // the phone after it.
    const std::vector<QPointer<PhoneLink>> phones(links_.begin(), links_.end());
    for (const QPointer<PhoneLink>& phone : phones) {
        if (phone) phone->send(message);
    }
}

void RemoteServer::roundStarted() {
    gained_ = 0;
    penalty_ = 0;
    scheduleView();
}

void RemoteServer::wordShown(const WordEntry&) {
    scheduleView();
}

void RemoteServer::scoreChanged(std::int64_t, std::int32_t gained) {
    gained_ = gained;
    scheduleView();
}

void RemoteServer::skipTaken(std::int32_t, std::int32_t penalty) {
    penalty_ = penalty;
    scheduleView();
}

void RemoteServer::error(const Problem& problem) {
    broadcast(errorMessage(problemText(problem)));
}

}  // namespace caici
