#pragma once
// The remote's listening socket, with limits a hostile machine on the Wi-Fi
// cannot push past: a bounded number of open connections (so the game never
// runs out of file handles, which its sound and its words need too) and a
// bounded number of bytes a connection may send before it becomes a phone's
// live connection (so an endless request body cannot fill the memory; Qt's
// HTTP server keeps a whole request before it hands it on).

#include <QTcpServer>

namespace caici {

class GuardedListener : public QTcpServer {
    Q_OBJECT
public:
    // Four phones, their page loads and a browser's spare connections.
    static constexpr int maxConnections = 32;
    // Far more than any number of page loads on one kept-alive connection.
    static constexpr qint64 maxRequestBytes = 256 * 1024;

    using QTcpServer::QTcpServer;

protected:
    void incomingConnection(qintptr descriptor) override;

private:
    int open_ = 0;
};

}  // namespace caici
