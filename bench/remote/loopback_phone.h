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
#include <chrono>
#include <optional>
#include <utility>
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

// The game's remote on 127.0.0.1 at a free port, with one phone on it.
struct LoopbackRemote {
    LoopbackRemote(Game& game, MonotonicClock clock)
        : remote(game, RemoteOptions{QHostAddress(QHostAddress::LocalHost), 0, QStringLiteral("127.0.0.1"),
                                     std::move(clock)}),
          phone(remote) {}

    RemoteServer remote;
    LoopbackPhone phone;
};

// The median and the 99th percentile of the presses, as counters.
inline void countPercentiles(benchmark::State& state, std::vector<double> microseconds) {
    if (microseconds.empty()) return;
    std::sort(microseconds.begin(), microseconds.end());
    state.counters["median_us"] = microseconds[microseconds.size() / 2];
    state.counters["p99_us"] = microseconds[(microseconds.size() * 99) / 100];
}

// One press of the phone's 正确 per iteration, after prepare(), timed from
// the frame's sending to the moment arrival() first gives, as the manual
// time, with the percentiles as counters. The presses timed; the benchmark
// is skipped with unanswered when a press has no arrival.
template <class Prepare, class Arrival>
std::size_t timePhonePresses(benchmark::State& state, LoopbackPhone& phone, Prepare prepare, Arrival arrival,
                             const char* unanswered) {
    std::vector<double> microseconds;
    microseconds.reserve(static_cast<std::size_t>(state.max_iterations));
    for (auto _ : state) {
        prepare();
        const auto sent = std::chrono::steady_clock::now();
        phone.pressCorrect();
        std::optional<std::chrono::steady_clock::time_point> arrived;
        if (!spinUntil([&] { return (arrived = arrival()).has_value(); })) {
            state.SkipWithError(unanswered);
            break;
        }
        const std::chrono::duration<double> took = *arrived - sent;
        state.SetIterationTime(took.count());
        microseconds.push_back(took.count() * 1e6);
    }
    const std::size_t timed = microseconds.size();
    countPercentiles(state, std::move(microseconds));
    return timed;
}

}  // namespace caici
