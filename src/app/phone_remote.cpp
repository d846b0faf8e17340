#include "app/phone_remote.h"

#include "common/errors.h"
#include "look/settings.h"
#include "remote/lan_address.h"
#include "remote/remote_server.h"

#include <memory>
#include <utility>

namespace caici {

PhoneRemote::PhoneRemote(Game& game, Settings& settings) : game_(game), settings_(settings) {}

PhoneRemote::~PhoneRemote() = default;

QUrl PhoneRemote::address() const {
    return server_ ? server_->address() : QUrl();
}

std::size_t PhoneRemote::phoneCount() const {
    return server_ ? server_->phoneCount() : 0;
}

void PhoneRemote::setOn(bool on) {
    if (on == isOn()) return;
    if (on) {
        start(usualPort, true);
    } else {
        stop();
    }
    settings_.setRemoteOn(on);
}

void PhoneRemote::restore() {
    if (settings_.remoteOn() && !isOn()) start(usualPort, true);
}

void PhoneRemote::switchOnForRun(std::optional<quint16> port) {
    stop();
    start(port.value_or(usualPort), !port);
}

void PhoneRemote::start(quint16 port, bool anyPortWillDo) {
    RemoteOptions options;
    options.port = port;
    options.host = lanAddress().toString();
    std::unique_ptr<RemoteServer> server;
    try {
        server = std::make_unique<RemoteServer>(game_, options);
    } catch (const Error&) {
        if (!anyPortWillDo) throw;
        options.port = 0;
        server = std::make_unique<RemoteServer>(game_, options);
    }
    server->setParent(this);
    server_ = server.release();
    connect(server_, &RemoteServer::phonesChanged, this, &PhoneRemote::changed);
    emit changed();
}

void PhoneRemote::stop() {
    if (server_ == nullptr) return;
    RemoteServer* server = std::exchange(server_, nullptr);
    server->disconnect(this);
    server->stop();
    server->deleteLater();
    emit changed();
}

}  // namespace caici
