#include "headless_browser.h"

#include <QFile>
#include <QFileInfo>
#include <QJsonArray>
#include <QJsonDocument>
#include <QNetworkProxy>
#include <QTest>

namespace caici::testing {
namespace {

constexpr int startMs = 30000;
constexpr int answerMs = 10000;

}  // namespace

QString HeadlessBrowser::program() {
    const QString chosen = qEnvironmentVariable("CAICI_CHROMIUM");
    return chosen.isEmpty() ? QStringLiteral("/usr/bin/chromium") : chosen;
}

HeadlessBrowser::HeadlessBrowser(QSize viewport) {
    if (!start(viewport) && failure_.isEmpty()) failure_ = QStringLiteral("the browser did not start");
}

HeadlessBrowser::~HeadlessBrowser() {
    if (devtools_.state() == QAbstractSocket::ConnectedState) {
        call(QStringLiteral("Browser.close"), {}, true);
        devtools_.close();
    }
    if (process_.state() != QProcess::NotRunning && !process_.waitForFinished(5000)) {
        process_.kill();
        process_.waitForFinished(5000);
    }
}

bool HeadlessBrowser::start(QSize viewport) {
    if (!QFileInfo(program()).isExecutable()) {
        failure_ = program() + QStringLiteral(" is missing: scripts/ensure-deps installs Debian's chromium");
        return false;
    }
    // The flags keep it from calling home (refused here anyway), from
    // updating itself and from touching any profile but its own.
    process_.setProgram(program());
    process_.setArguments({QStringLiteral("--headless"), QStringLiteral("--no-sandbox"), QStringLiteral("--disable-gpu"),
                           QStringLiteral("--disable-quic"), QStringLiteral("--no-first-run"),
                           QStringLiteral("--disable-background-networking"),
                           QStringLiteral("--disable-component-update"), QStringLiteral("--disable-sync"),
                           QStringLiteral("--user-data-dir=") + profile_.path(),
                           QStringLiteral("--remote-debugging-address=127.0.0.1"),
                           QStringLiteral("--remote-debugging-port=0"), QStringLiteral("about:blank")});
    process_.setProcessChannelMode(QProcess::ForwardedErrorChannel);
    process_.start();
    if (!process_.waitForStarted(startMs)) return false;

    // The browser writes the port it chose, and the socket's path, here.
    QFile portFile(profile_.filePath(QStringLiteral("DevToolsActivePort")));
    QStringList active;
    const bool written = QTest::qWaitFor(
        [&] {
            if (process_.state() == QProcess::NotRunning) return true;
            if (!portFile.open(QIODevice::ReadOnly)) return false;
            active = QString::fromLatin1(portFile.readAll()).split(QLatin1Char('\n'), Qt::SkipEmptyParts);
            portFile.close();
            return active.size() >= 2;
        },
        startMs);
    if (!written || active.size() < 2) {
        failure_ = QStringLiteral("the browser did not open its DevTools socket");
        return false;
    }

    devtools_.setProxy(QNetworkProxy::NoProxy);
    QObject::connect(&devtools_, &QWebSocket::textMessageReceived, [this](const QString& text) {
        const QJsonObject message = QJsonDocument::fromJson(text.toUtf8()).object();
        if (message.contains(QLatin1String("id"))) replies_.push_back(message);
    });
    devtools_.open(QUrl(QStringLiteral("ws://127.0.0.1:%1%2").arg(active[0], active[1])));
    if (!QTest::qWaitFor([this] { return devtools_.state() == QAbstractSocket::ConnectedState; }, startMs)) {
        failure_ = QStringLiteral("the DevTools socket did not open");
        return false;
    }

    const QJsonArray targets =
        call(QStringLiteral("Target.getTargets"), {}, true).value(QLatin1String("targetInfos")).toArray();
    QString page;
    for (const QJsonValue& target : targets) {
        if (target[QLatin1String("type")] == QLatin1String("page")) page = target[QLatin1String("targetId")].toString();
    }
    session_ = call(QStringLiteral("Target.attachToTarget"),
                    {{"targetId", page}, {"flatten", true}}, true)
                   .value(QLatin1String("sessionId"))
                   .toString();
    if (session_.isEmpty()) {
        failure_ = QStringLiteral("no page to attach to");
        return false;
    }
    call(QStringLiteral("Emulation.setDeviceMetricsOverride"),
         {{"width", viewport.width()}, {"height", viewport.height()}, {"deviceScaleFactor", 1}, {"mobile", true}});
    call(QStringLiteral("Emulation.setTouchEmulationEnabled"), {{"enabled", true}, {"maxTouchPoints", 1}});
    return true;
}

QJsonObject HeadlessBrowser::call(const QString& method, const QJsonObject& params, bool toBrowser) {
    const int id = nextId_++;
    QJsonObject command{{"id", id}, {"method", method}, {"params", params}};
    if (!toBrowser) command.insert(QStringLiteral("sessionId"), session_);
    devtools_.sendTextMessage(QString::fromUtf8(QJsonDocument(command).toJson(QJsonDocument::Compact)));
    QJsonObject reply;
    (void)QTest::qWaitFor(
        [&] {
            for (auto it = replies_.begin(); it != replies_.end(); ++it) {
                if ((*it)[QLatin1String("id")].toInt() == id) {
                    reply = it->value(QLatin1String("result")).toObject();
                    replies_.erase(it);
                    return true;
                }
            }
            return false;
        },
        answerMs);
    return reply;
}

void HeadlessBrowser::runBeforeEveryPage(const QString& script) {
    // The page's agent keeps no scripts before it is enabled.
    call(QStringLiteral("Page.enable"));
    call(QStringLiteral("Page.addScriptToEvaluateOnNewDocument"), {{"source", script}});
}

bool HeadlessBrowser::open(const QUrl& url) {
    call(QStringLiteral("Page.navigate"), {{"url", url.toString()}});
    return waitUntil(QStringLiteral("document.readyState === 'complete'"));
}

QJsonValue HeadlessBrowser::evaluate(const QString& expression) {
    return call(QStringLiteral("Runtime.evaluate"), {{"expression", expression}, {"returnByValue", true}})
        .value(QLatin1String("result"))
        .toObject()
        .value(QLatin1String("value"));
}

bool HeadlessBrowser::waitUntil(const QString& expression, int ms) {
    return QTest::qWaitFor([&] { return evaluate(QStringLiteral("!!(") + expression + QLatin1Char(')')).toBool(); },
                           ms);
}

bool HeadlessBrowser::tap(const QString& selector) {
    // The element is scrolled into view first, as a finger would scroll to it.
    const QJsonArray centre =
        evaluate(QStringLiteral("(() => { const e = document.querySelector('%1'); e.scrollIntoView({block: 'center'});"
                                " const r = e.getBoundingClientRect();"
                                " return [r.left + r.width / 2, r.top + r.height / 2]; })()")
                     .arg(selector))
            .toArray();
    if (centre.size() != 2) return false;
    const QJsonObject finger{{"x", centre[0]}, {"y", centre[1]}};
    call(QStringLiteral("Input.dispatchTouchEvent"), {{"type", "touchStart"}, {"touchPoints", QJsonArray{finger}}});
    call(QStringLiteral("Input.dispatchTouchEvent"), {{"type", "touchEnd"}, {"touchPoints", QJsonArray{}}});
    return true;
}

}  // namespace caici::testing
