// The phone page in a real browser: Debian's headless Chromium opens the
// game's remote on 127.0.0.1 in a phone-sized window, and a finger's taps on
// "开始", "正确" and "跳过" drive the game, whose score and skips the page
// then shows.

#include "headless_browser.h"
#include "remote/remote_protocol.h"
#include "remote_fixture.h"
#include "texts/user_texts.h"

#include <QJsonArray>
#include <QJsonDocument>
#include <QTest>

#include <gtest/gtest.h>

#include <optional>
#include <utility>

namespace caici::testing {
namespace {

const QString markupWord = QStringLiteral("<img src=x onerror=alert(1)>");

// Keeps the page's live sockets where the test reaches them, so that a state
// the game could send is handed to the page as if it had come from the game.
const QString keepSockets = QStringLiteral(
    "window.caiciSockets = []; window.WebSocket = class extends WebSocket {"
    " constructor(...given) { super(...given); window.caiciSockets.push(this); } };");

QString text(HeadlessBrowser& browser, const char* id) {
    return browser.evaluate(QStringLiteral("document.getElementById('%1').textContent").arg(QLatin1String(id)))
        .toString();
}

// Whether the element is laid out on the page, not only unhidden.
QString displayed(const char* id) {
    return QStringLiteral("getComputedStyle(document.getElementById('%1')).display !== 'none'").arg(QLatin1String(id));
}

QString jsString(const QString& value) {
    return QString::fromUtf8(QJsonDocument(QJsonArray{value}).toJson(QJsonDocument::Compact)).mid(1).chopped(1);
}

void deliver(HeadlessBrowser& browser, const QByteArray& message) {
    browser.evaluate(QStringLiteral("window.caiciSockets.at(-1).onmessage({data: %1}), true")
                         .arg(jsString(QString::fromUtf8(message))));
}

// The page also shows what the game says before and during a round of a
// show: the rule card, whose "开始" starts the round, and why "跳过" is greyed
// out at the round's skip cap.
TEST(RemoteInABrowser, TapsOnThePageDriveTheGameAndThePageShowsTheResult) {
    RemoteFixture f({{markupWord.toStdString(), 3}, {"大象", 2}, {"熊猫", 1}, {"企鹅", 2}});
    HeadlessBrowser browser(QSize(390, 844));
    ASSERT_TRUE(browser.failure().isEmpty()) << browser.failure().toStdString();
    browser.runBeforeEveryPage(keepSockets);
    ASSERT_TRUE(browser.open(f.page()));
    ASSERT_TRUE(browser.waitUntil(QStringLiteral("!document.getElementById('start').disabled")));
    EXPECT_EQ(text(browser, "status"), QStringLiteral("已连接"));

    OperatorView capped = operatorView(*f.game.game);
    capped.phase = RoundPhase::running;
    capped.correctEnabled = true;
    capped.skipCapReached = true;
    deliver(browser, stateMessage(capped));
    ASSERT_TRUE(browser.waitUntil(displayed("skip-reason")));
    EXPECT_EQ(text(browser, "skip-reason"), QString::fromStdString(refusalText(Refusal::skipCap)));
    EXPECT_TRUE(browser.evaluate(QStringLiteral("document.getElementById('skip').disabled")).toBool());

    MatchSetup setup;
    setup.teams = {{"红队", 0, {}}, {markupWord.toStdString(), 5, {markupWord.toStdString()}}};
    const std::optional<Match> match(std::in_place, 1, setup);
    OperatorView carded = operatorView(*f.game.game);
    carded.phase = RoundPhase::card;
    carded.team = teamMark(match, 1);
    carded.card =
        cardView(RoundCard{RoundKind::act, 1, markupWord.toStdString(), MatchStage::final, true, 45}, 2, match);
    deliver(browser, stateMessage(carded));
    ASSERT_TRUE(browser.waitUntil(displayed("rule")));
    // The card takes the word's place, as on the big screen.
    EXPECT_FALSE(browser.evaluate(displayed("shown")).toBool());
    EXPECT_FALSE(browser.evaluate(displayed("skip-reason")).toBool());
    EXPECT_EQ(text(browser, "rule-team"), markupWord);
    EXPECT_EQ(text(browser, "rule-actor"), QStringLiteral("表演：") + markupWord);
    EXPECT_EQ(text(browser, "rule-stage"), QStringLiteral("决赛 · 双倍分"));
    EXPECT_EQ(text(browser, "rule-kind"), QStringLiteral("比划"));
    EXPECT_EQ(text(browser, "rule-text"), QString::fromStdString(roundKindRule(RoundKind::act)));
    EXPECT_EQ(text(browser, "rule-count"), QStringLiteral("2"));
    EXPECT_EQ(text(browser, "team"), QStringLiteral("本轮：") + markupWord);
    // The colour marks beside the team's name: 5 is the palette's vermilion.
    for (const char* mark : {"#rule-team .mark", "#team .mark"}) {
        EXPECT_EQ(browser.evaluate(QStringLiteral("getComputedStyle(document.querySelector('%1')).backgroundColor")
                                       .arg(QLatin1String(mark)))
                      .toString(),
                  QStringLiteral("rgb(213, 94, 0)"))
            << mark;
    }
    EXPECT_EQ(browser.evaluate(QStringLiteral("document.querySelectorAll('img').length")).toInt(-1), 0);

    // The card's "开始" is the game's start: the round begins and the card
    // gives way to the word.
    ASSERT_TRUE(browser.tap(QStringLiteral("#start")));
    ASSERT_TRUE(QTest::qWaitFor([&] { return f.game.round().phase == RoundPhase::running; }, waitMs));
    EXPECT_TRUE(browser.waitUntil(QStringLiteral("!(") + displayed("rule") + QLatin1Char(')')));
    EXPECT_TRUE(browser.evaluate(displayed("shown")).toBool());
    ASSERT_TRUE(browser.waitUntil(QStringLiteral("!document.getElementById('correct').disabled")));
    // A word from the workbook is text, never markup.
    EXPECT_EQ(text(browser, "word"), markupWord);
    EXPECT_EQ(browser.evaluate(QStringLiteral("document.querySelectorAll('img').length")).toInt(-1), 0);
    EXPECT_EQ(text(browser, "points"), QStringLiteral("3 分"));
    EXPECT_EQ(text(browser, "time"), QStringLiteral("090"));

    f.game.later();
    ASSERT_TRUE(browser.tap(QStringLiteral("#correct")));
    ASSERT_TRUE(QTest::qWaitFor([&] { return f.game.round().score == 3; }, waitMs));
    EXPECT_TRUE(browser.waitUntil(QStringLiteral("document.getElementById('score').textContent === '003'")));
    EXPECT_EQ(text(browser, "word"), QStringLiteral("大象"));

    f.game.later();
    ASSERT_TRUE(browser.tap(QStringLiteral("#skip")));
    ASSERT_TRUE(QTest::qWaitFor([&] { return f.game.round().skipCount == 1; }, waitMs));
    EXPECT_TRUE(browser.waitUntil(QStringLiteral("document.getElementById('skips').textContent === '1'")));
    EXPECT_EQ(text(browser, "word"), QStringLiteral("熊猫"));
    EXPECT_EQ(f.game.round().score, 3);

    // The countdown on the laptop reaches the page too.
    f.game.ticks(1);
    EXPECT_TRUE(browser.waitUntil(QStringLiteral("document.getElementById('time').textContent === '089'")));

    // At the end the review comes up; a tap mends the skip into a guess.
    f.game.ticks(89);
    ASSERT_TRUE(browser.waitUntil(QStringLiteral("!document.getElementById('review').hidden")));
    EXPECT_EQ(browser.evaluate(QStringLiteral("document.querySelectorAll('#review-lines button').length")).toInt(), 3);
    EXPECT_EQ(text(browser, "review-total"), QStringLiteral("合计 3 分，跳过 1 次"));
    ASSERT_TRUE(browser.tap(QStringLiteral("#review-lines li:nth-child(2) button")));
    ASSERT_TRUE(QTest::qWaitFor([&] { return f.game.game->review() && f.game.game->review()->total() == 5; }, waitMs));
    EXPECT_TRUE(browser.waitUntil(
        QStringLiteral("document.getElementById('review-total').textContent === '合计 5 分，跳过 0 次'")));
    ASSERT_TRUE(browser.tap(QStringLiteral("#confirm")));
    EXPECT_TRUE(QTest::qWaitFor([&] { return !f.game.game->review().has_value(); }, waitMs));
    EXPECT_TRUE(browser.waitUntil(QStringLiteral("document.getElementById('review').hidden")));
}

// Between rounds the page offers tonight's form; a word with markup typed
// there reaches the game and comes back in the answer as text, and the form
// is gone while the round runs.
TEST(RemoteInABrowser, APhoneAddsAWordBetweenRounds) {
    RemoteFixture f;
    HeadlessBrowser browser(QSize(390, 844));
    ASSERT_TRUE(browser.failure().isEmpty()) << browser.failure().toStdString();
    ASSERT_TRUE(browser.open(f.page()));
    ASSERT_TRUE(browser.waitUntil(QStringLiteral("!document.getElementById('tonight').hidden")));
    browser.evaluate(QStringLiteral("document.getElementById('tonight-word').value = %1, "
                                    "document.getElementById('tonight-points').value = '2', true")
                         .arg(QString::fromUtf8(QJsonDocument(QJsonArray{markupWord}).toJson(QJsonDocument::Compact)).mid(1).chopped(1)));
    ASSERT_TRUE(browser.tap(QStringLiteral("#tonight-add")));
    ASSERT_TRUE(QTest::qWaitFor([&] { return f.game.game->tonightWords().size() == 1; }, waitMs));
    EXPECT_EQ(f.game.game->tonightWords()[0], (TonightWord{markupWord.toStdString(), 2, {}, TonightOrigin::phone}));
    ASSERT_TRUE(browser.waitUntil(QStringLiteral("document.getElementById('tonight-answer').textContent !== ''")));
    EXPECT_TRUE(text(browser, "tonight-answer").contains(markupWord));
    EXPECT_EQ(browser.evaluate(QStringLiteral("document.querySelectorAll('img').length")).toInt(-1), 0);
    EXPECT_EQ(browser.evaluate(QStringLiteral("document.getElementById('tonight-word').value")).toString(), QString());

    ASSERT_TRUE(browser.tap(QStringLiteral("#start")));
    ASSERT_TRUE(QTest::qWaitFor([&] { return f.game.round().phase == RoundPhase::running; }, waitMs));
    EXPECT_TRUE(browser.waitUntil(QStringLiteral("document.getElementById('tonight').hidden")));
}

// In 禁词模式 the page shows the forbidden words under the word, as text, and
// its "犯规" ends the word as a foul, which the review names.
TEST(RemoteInABrowser, TheForbiddenWordsAndAFoulTappedOnThePage) {
    RemoteFixture f({{"长颈鹿", 2, {}, 0, {"脖子", markupWord.toStdString()}}, {"大象", 2}, {"熊猫", 1}});
    HeadlessBrowser browser(QSize(390, 844));
    ASSERT_TRUE(browser.failure().isEmpty()) << browser.failure().toStdString();
    ASSERT_TRUE(browser.open(f.page()));
    ASSERT_TRUE(browser.waitUntil(QStringLiteral("!document.getElementById('start').disabled")));
    ASSERT_TRUE(browser.tap(QStringLiteral("#start")));
    ASSERT_TRUE(browser.waitUntil(QStringLiteral("!document.getElementById('foul').disabled")));
    EXPECT_EQ(text(browser, "forbidden"), QStringLiteral("禁：脖子 · ") + markupWord);
    EXPECT_EQ(browser.evaluate(QStringLiteral("document.querySelectorAll('img').length")).toInt(-1), 0);

    f.game.later();
    ASSERT_TRUE(browser.tap(QStringLiteral("#foul")));
    ASSERT_TRUE(QTest::qWaitFor([&] { return f.game.round().skipCount == 1; }, waitMs));
    EXPECT_TRUE(browser.waitUntil(QStringLiteral("document.getElementById('forbidden').hidden")));
    f.game.ticks(90);
    ASSERT_TRUE(browser.waitUntil(QStringLiteral("!document.getElementById('review').hidden")));
    EXPECT_EQ(text(browser, "review-lines"), QStringLiteral("✗ 长颈鹿（犯规）✗ 大象（没猜出）"));
}

// Switched off and on again, the remote has a new key: the page stops
// trying and asks for the new code instead of retrying for ever.
TEST(RemoteInABrowser, APageWithAnOldKeyAsksToScanAgain) {
    RemoteFixture f;
    HeadlessBrowser browser(QSize(390, 844));
    ASSERT_TRUE(browser.failure().isEmpty()) << browser.failure().toStdString();
    ASSERT_TRUE(browser.open(f.page()));
    ASSERT_TRUE(browser.waitUntil(QStringLiteral("document.getElementById('status').textContent === '已连接'")));
    const quint16 port = f.remote->port();
    f.switchOff();
    f.switchOn(port);
    EXPECT_TRUE(browser.waitUntil(QStringLiteral("document.getElementById('message').textContent.includes('重新扫描')")));
    EXPECT_TRUE(browser.evaluate(QStringLiteral("document.getElementById('correct').disabled")).toBool());
}

}  // namespace
}  // namespace caici::testing
