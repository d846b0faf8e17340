#include "remote/lan_address.h"

#include <QNetworkInterface>

#include <array>

namespace caici {
namespace {

// Interfaces that only lead to containers and virtual machines on this host.
bool virtualBridge(const QString& name) {
    static const std::array<QLatin1String, 7> prefixes{
        QLatin1String("docker"), QLatin1String("br-"),   QLatin1String("veth"), QLatin1String("virbr"),
        QLatin1String("lxc"),    QLatin1String("vmnet"), QLatin1String("vboxnet")};
    for (const QLatin1String& prefix : prefixes) {
        if (name.startsWith(prefix)) return true;
    }
    return false;
}

// Home and office Wi-Fi hand out 192.168/16 first, then 10/8 and 172.16/12.
int rank(const QHostAddress& address) {
    if (address.isInSubnet(QHostAddress(QStringLiteral("192.168.0.0")), 16)) return 0;
    if (address.isInSubnet(QHostAddress(QStringLiteral("10.0.0.0")), 8)) return 1;
    if (address.isInSubnet(QHostAddress(QStringLiteral("172.16.0.0")), 12)) return 2;
    return 3;
}

}  // namespace

QHostAddress chooseLanAddress(const QList<InterfaceAddress>& candidates) {
    QHostAddress best(QHostAddress::LocalHost);
    int bestRank = 4;
    for (const InterfaceAddress& candidate : candidates) {
        const QHostAddress& address = candidate.address;
        if (!candidate.up || candidate.loopback || candidate.pointToPoint || virtualBridge(candidate.interfaceName) ||
            address.protocol() != QAbstractSocket::IPv4Protocol || address.isLoopback() || address.isLinkLocal()) {
            continue;
        }
        const int candidateRank = rank(address);
        if (candidateRank < bestRank) {
            best = address;
            bestRank = candidateRank;
        }
    }
    return best;
}

QHostAddress lanAddress() {
    QList<InterfaceAddress> candidates;
    for (const QNetworkInterface& interface : QNetworkInterface::allInterfaces()) {
        const auto flags = interface.flags();
        for (const QNetworkAddressEntry& entry : interface.addressEntries()) {
            candidates.append({interface.name(), entry.ip(),
                               flags.testFlag(QNetworkInterface::IsUp) && flags.testFlag(QNetworkInterface::IsRunning),
                               flags.testFlag(QNetworkInterface::IsLoopBack),
                               flags.testFlag(QNetworkInterface::IsPointToPoint)});
        }
    }
    return chooseLanAddress(candidates);
}

}  // namespace caici
