// What the big screen adds for a match played as a show: the rule card
// before a round and the beat of the time digits in the last ten seconds.

#include "round/rule_card_panel.h"
#include "round/show_labels.h"
#include "round/show_look.h"
#include "texts/user_texts.h"
#include "window_fixture.h"

#include <QFontMetrics>

namespace caici::testing {
namespace {

class RuleCardTest : public WindowTest {
protected:
    RuleCardPanel& card() const { return part<RuleCardPanel>("ruleCard"); }
    // The card's events as the game sends them before a round.
    GameListener& cardEvents() const { return card(); }

    void startMatchRound() {
        MatchSetup setup;
        setup.teams = {{"红队", 5, {"张三", "李四"}}, {"蓝队", 1, {}}};
        game->startMatch(setup);
        window->show();
        startRound();
    }
};

// The card names the team (after its colour mark) and the actor, shows the
// kind large with its rule, the stage of a final and the round's seconds,
// counts down, and is gone as soon as the first word shows.
TEST_F(RuleCardTest, ShowsTheTeamActorAndKindCountsDownAndGoesAtTheFirstWord) {
    startMatchRound();
    RoundCard shown;
    shown.kind = RoundKind::act;
    shown.team = 0;
    shown.actor = "张三";
    shown.stage = MatchStage::final;
    shown.doublePoints = true;
    shown.countdownSeconds = 45;
    cardEvents().cardShown(shown);
    ASSERT_TRUE(card().isVisible());
    EXPECT_EQ(card().geometry(), window->rect());
    EXPECT_EQ(card().team->text(), QStringLiteral("红队"));
    EXPECT_EQ(card().team->mark(), teamColor(game->match()->setup().teams[0].colour));
    EXPECT_EQ(card().actor->text(), QStringLiteral("表演：张三"));
    EXPECT_EQ(card().kind->text(), QStringLiteral("比划"));
    EXPECT_EQ(card().rule->text(), QString::fromStdString(roundKindRule(RoundKind::act)));
    EXPECT_TRUE(card().stage->isVisible());
    EXPECT_EQ(card().stage->text(), QStringLiteral("决赛 · 双倍分"));
    EXPECT_EQ(card().seconds->text(), QStringLiteral("倒计时 45 秒"));
    for (const int seconds : {3, 2, 1}) {
        cardEvents().cardTimeChanged(seconds);
        EXPECT_EQ(card().count->text(), QString::number(seconds));
    }
    press(correctButton());
    EXPECT_FALSE(card().isVisible());
    EXPECT_TRUE(errors.reported.empty());
}

// A single round of another kind has a card too: no team, no stage.
TEST_F(RuleCardTest, ASingleRoundsCardShowsNoTeamAndNoStage) {
    window->show();
    startRound();
    RoundCard shown;
    shown.kind = RoundKind::sounds;
    shown.countdownSeconds = 90;
    cardEvents().cardShown(shown);
    ASSERT_TRUE(card().isVisible());
    EXPECT_FALSE(card().team->isVisible());
    EXPECT_FALSE(card().actor->isVisible());
    EXPECT_FALSE(card().stage->isVisible());
    EXPECT_EQ(card().kind->text(), QStringLiteral("声音"));
    game->close();
    EXPECT_FALSE(card().isVisible());
}

// From a small projector to a 4K screen, every line of the card stands
// whole inside the window, none over another, and the kind's name is the
// largest text on it.
TEST_F(RuleCardTest, EveryLineStandsWholeAtEveryScreenSize) {
    startMatchRound();
    EventBrand brand{QStringLiteral("星光科技二〇二六年度盛典暨颁奖晚会"), QImage(300, 120, QImage::Format_RGB32)};
    brand.logo.fill(Qt::blue);
    window->setEventBrand(brand);
    RoundCard shown;
    shown.kind = RoundKind::forbidden;
    shown.team = 0;
    shown.actor = "张三";
    shown.stage = MatchStage::tieBreak;
    shown.countdownSeconds = 45;
    cardEvents().cardShown(shown);
    for (const QSize size : {QSize(1024, 768), QSize(1920, 1080), QSize(3840, 2160)}) {
        window->resize(size);
        ASSERT_TRUE(settles([&] { return card().size() == size; })) << size.width();
        std::vector<QWidget*> lines{card().brand, card().team,    card().actor,  card().stage,
                                    card().kind,  card().rule,    card().seconds, card().count};
        for (std::size_t one = 0; one < lines.size(); ++one) {
            const QWidget& line = *lines[one];
            EXPECT_TRUE(line.isVisible()) << line.objectName().toStdString();
            EXPECT_TRUE(card().rect().contains(line.geometry())) << line.objectName().toStdString() << " " << size.width();
            for (std::size_t other = one + 1; other < lines.size(); ++other) {
                EXPECT_FALSE(line.geometry().intersects(lines[other]->geometry()))
                    << line.objectName().toStdString() << " " << lines[other]->objectName().toStdString();
            }
        }
        for (QLabel* text : {static_cast<QLabel*>(card().team), card().actor, card().stage, card().rule,
                             card().seconds}) {
            EXPECT_LE(text->sizeHint().width(), text->width()) << text->objectName().toStdString() << " " << size.width();
            EXPECT_LE(QFontMetrics(text->font()).height(), text->height()) << text->objectName().toStdString();
            EXPECT_LT(text->height(), card().kind->height());
        }
        // Readable from the back of a room: the rule is at least a 30th of
        // the screen's height.
        EXPECT_GE(card().rule->font().pixelSize() * 30, size.height()) << size.width();
    }
    EXPECT_EQ(card().brand->text(), brand.name);
}

class LastSecondsTest : public WindowTest {
protected:
    int digitPixels() const { return timeDisplay().font().pixelSize(); }
};

// In each of the last ten seconds the time digits beat (larger, then back
// to their size); before that, and with reduced motion on, they stay still.
TEST_F(LastSecondsTest, TheTimeDigitsBeatInTheLastTenSecondsUnlessMotionIsReduced) {
    window->show();
    start(12);
    const int rest = digitPixels();
    ticks(1);
    QTest::qWait(30);
    EXPECT_EQ(digitPixels(), rest) << "11 seconds left";
    for (int second = 10; second >= 9; --second) {
        ticks(1);
        ASSERT_EQ(round().remainingSeconds, second);
        EXPECT_TRUE(QTest::qWaitFor([&] { return digitPixels() > rest; }, 200)) << second;
        EXPECT_TRUE(QTest::qWaitFor([&] { return digitPixels() == rest; }, 1000)) << second;
    }
    window->menu().reduceMotion->trigger();
    ticks(1);
    QTest::qWait(60);
    EXPECT_EQ(digitPixels(), rest);
    EXPECT_EQ(text(timeDisplay()), "008");
    EXPECT_TRUE(errors.reported.empty());
}

}  // namespace
}  // namespace caici::testing
