#pragma once
// The address a phone on the same Wi-Fi reaches this machine at: its IPv4
// address on the local network. Loopback, point-to-point links (VPNs) and
// the bridges of containers and virtual machines are passed over, and a
// private address is preferred to a public one; 127.0.0.1 when nothing else
// is up (the remote then works from this machine only).

#include <QHostAddress>
#include <QList>
#include <QString>

namespace caici {

struct InterfaceAddress {
    QString interfaceName;
    QHostAddress address;
    bool up = true;
    bool loopback = false;
    bool pointToPoint = false;
};

QHostAddress chooseLanAddress(const QList<InterfaceAddress>& candidates);

// The machine's own interfaces, chosen from as above.
QHostAddress lanAddress();

}  // namespace caici
