#pragma once
// A phone on the game's remote for the benchmarks: a WebSocket on 127.0.0.1
// that connects as the game's own page does, with its origin, and counts the
// states the game sends it. The phone and the game share one event loop.

#include <QCoreApplication>
#include <QElapsedTimer>
#include <QNetworkProxy>
#include <QWebSocket>

#include <benchmark/benchmark.h>

#include <algorithm>
#include <vector>

#include "remote/remote_server.h"

namespace caici {

// Runs the event loop until test holds; false after two seconds.
template <class Test>
bool spinUntil(Test test) {
    constexpr int waitMs = 2000;
    QElapsedTimer waited;
    waited.start();
    while (!test()) {
        if (waited.elapsed() > waitMs) return false;
        QCoreApplication::processEvents(QEventLoop::WaitForMoreEvents, 5);
    }
    return true;
}

class LoopbackPhone {
public:
    // The key alone does not let a phone in: it connects from the game's own page.
    explicit LoopbackPhone(const RemoteServer& remote)
        : socket_(QStringLiteral("http://127.0.0.1:%1").arg(remote.port())) {
        socket_.setProxy(QNetworkProxy::NoProxy);
        QObject::connect(&socket_, &QWebSocket::textMessageReceived, [this](const QString&) { ++received_; });
        QUrl address = remote.address();
        address.setScheme(QStringLiteral("ws"));
        address.setPath(address.path() + QStringLiteral("ws"));
        socket_.open(address);
    }

    // Whether the game has sent its first state.
    bool connect() {
        return spinUntil([this] { return received_ > 0; });
    }
    int received() const { return received_; }
    void pressCorrect() {
        socket_.sendTextMessage(QStringLiteral(R"({"cmd":"correct"})"));
        socket_.flush();
    }

private:
    QWebSocket socket_;
    int received_ = 0;
};

// The median and the 99th percentile of the presses, as counters.
inline void countPercentiles(benchmark::State& state, std::vector<double> microseconds) {
    if (microseconds.empty()) return;
    std::sort(microseconds.begin(), microseconds.end());
    state.counters["median_us"] = microseconds[microseconds.size() / 2];
    state.counters["p99_us"] = microseconds[(microseconds.size() * 99) / 100];
}

}  // namespace caici
