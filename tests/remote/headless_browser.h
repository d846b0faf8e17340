#pragma once
// Debian's Chromium, headless, with one page the size of a phone's screen,
// driven over its DevTools socket on loopback: open an address, read the
// page, tap it as a finger would. It runs with a profile of its own, no
// sandbox (tests run as root in CI) and none of its background traffic, and
// every wait is bounded.

#include <QJsonObject>
#include <QJsonValue>
#include <QProcess>
#include <QSize>
#include <QString>
#include <QTemporaryDir>
#include <QUrl>
#include <QWebSocket>

#include <vector>

namespace caici::testing {

class HeadlessBrowser {
public:
    // The browser program: /usr/bin/chromium unless CAICI_CHROMIUM names another.
    static QString program();

    explicit HeadlessBrowser(QSize viewport);
    ~HeadlessBrowser();
    HeadlessBrowser(const HeadlessBrowser&) = delete;
    HeadlessBrowser& operator=(const HeadlessBrowser&) = delete;

    // Empty once the page is ready for use; what went wrong otherwise.
    const QString& failure() const { return failure_; }

    // Runs script in every page opened from now on, before the page's own.
    void runBeforeEveryPage(const QString& script);
    bool open(const QUrl& url);
    // The value of a JavaScript expression in the page (JSON values only).
    QJsonValue evaluate(const QString& expression);
    // Waits until expression is true in the page.
    bool waitUntil(const QString& expression, int ms = 10000);
    // A finger's tap in the middle of the first element the CSS selector
    // finds.
    bool tap(const QString& selector);

private:
    bool start(QSize viewport);
    // A DevTools command; the page's own unless toBrowser. An empty object
    // when it failed or did not answer.
    QJsonObject call(const QString& method, const QJsonObject& params = {}, bool toBrowser = false);

    QTemporaryDir profile_;
    QProcess process_;
    QWebSocket devtools_;
    QString session_;
    int nextId_ = 1;
    std::vector<QJsonObject> replies_;
    QString failure_;
};

}  // namespace caici::testing
