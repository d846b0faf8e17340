// What the remote does for the operator: a press on a phone is the game's own
// input, and every change of the game reaches every phone as the whole view.

#include "remote/remote_protocol.h"
#include "texts/user_texts.h"
#include "remote_fixture.h"

#include <QJsonArray>
#include <QJsonDocument>
#include <QPointer>

#include <gtest/gtest.h>

#include <optional>
#include <utility>

namespace caici::testing {
namespace {

const QJsonValue running(QStringLiteral("running"));

TEST(RemotePlay, PressesOnThePhoneAreTheGamesOwnInputs) {
    RemoteFixture f;
    PhoneClient phone;
    ASSERT_TRUE(phone.open(f.socket()));
    ASSERT_TRUE(phone.waitForAny([](const QJsonObject& m) { return stateIs(m, "phase", "idle"); }));
    EXPECT_TRUE(phone.lastState().value(QLatin1String("start")).toBool());
    EXPECT_FALSE(phone.lastState().value(QLatin1String("correct")).toBool());

    // Outside a round "正确" and "跳过" would deal words nobody sees.
    phone.send(R"({"cmd":"correct"})");
    ASSERT_TRUE(phone.waitForNew([](const QJsonObject& m) { return stateIs(m, "type", "error"); }));
    EXPECT_EQ(f.game.round().phase, RoundPhase::idle);
    EXPECT_EQ(f.game.game->words().playOrder().size(), 0u);

    phone.send(R"({"cmd":"start"})");
    ASSERT_TRUE(phone.waitForState([](const QJsonObject& m) { return stateIs(m, "word", "大象"); }));
    EXPECT_EQ(f.game.round().phase, RoundPhase::running);
    QJsonObject state = phone.lastState();
    EXPECT_EQ(state.value(QLatin1String("points")), 3);
    EXPECT_EQ(state.value(QLatin1String("seconds")), 90);
    EXPECT_TRUE(state.value(QLatin1String("correct")).toBool());
    EXPECT_FALSE(state.value(QLatin1String("start")).toBool());

    // A start while the round runs would throw the round away.
    f.game.later();
    phone.send(R"({"cmd":"start"})");
    ASSERT_TRUE(phone.waitForNew([](const QJsonObject& m) { return stateIs(m, "type", "error"); }));
    EXPECT_EQ(f.game.round().currentEntry.word, "大象");

    phone.send(R"({"cmd":"correct"})");
    ASSERT_TRUE(phone.waitForState([](const QJsonObject& m) { return stateIs(m, "score", 3); }));
    state = phone.lastState();
    EXPECT_EQ(state.value(QLatin1String("gained")), 3);
    EXPECT_EQ(state.value(QLatin1String("word")), "长颈鹿");
    EXPECT_EQ(f.game.round().score, 3);

    // The game's own guard: a press right after a new word is a bounce.
    phone.send(R"({"cmd":"skip"})");
    phone.send(R"({"cmd":"ping"})");
    ASSERT_TRUE(phone.waitForNew([](const QJsonObject& m) { return stateIs(m, "type", "pong"); }));
    EXPECT_EQ(f.game.round().skipCount, 0);

    f.game.later();
    phone.send(R"({"cmd":"skip"})");
    ASSERT_TRUE(phone.waitForState([](const QJsonObject& m) { return stateIs(m, "skips", 1); }));
    EXPECT_EQ(phone.lastState().value(QLatin1String("word")), "熊猫");
    EXPECT_EQ(f.game.round().skipCount, 1);
    EXPECT_EQ(f.game.round().score, 3);

    // A paused round takes no press: the phone's buttons say so, and a press
    // that comes anyway is refused and changes nothing.
    f.game.later();
    f.game.game->togglePause();
    ASSERT_TRUE(phone.waitForState([](const QJsonObject& m) { return stateIs(m, "correct", false); }));
    EXPECT_FALSE(phone.lastState().value(QLatin1String("skip")).toBool());
    phone.send(R"({"cmd":"correct"})");
    ASSERT_TRUE(phone.waitForNew([](const QJsonObject& m) { return stateIs(m, "type", "error"); }));
    EXPECT_EQ(f.game.round().score, 3);
}

TEST(RemotePlay, EveryChangeReachesEveryPhone) {
    RemoteFixture f;
    std::vector<std::unique_ptr<PhoneClient>> phones;
    for (int i = 0; i < 3; ++i) {
        phones.push_back(std::make_unique<PhoneClient>());
        ASSERT_TRUE(phones.back()->open(f.socket()));
    }
    const auto everyPhoneSees = [&](const std::function<bool(const QJsonObject&)>& test) {
        for (const auto& phone : phones) {
            if (!phone->waitForAny([&](const QJsonObject& m) { return stateIs(m, "type", "state") && test(m); })) {
                return false;
            }
        }
        return true;
    };

    // The start label on the laptop.
    f.game.start();
    EXPECT_TRUE(everyPhoneSees([](const QJsonObject& m) { return stateIs(m, "phase", running); }));
    // The countdown.
    f.game.ticks(1);
    EXPECT_TRUE(everyPhoneSees([](const QJsonObject& m) { return stateIs(m, "seconds", 89); }));
    // A press on one phone.
    phones[1]->send(R"({"cmd":"correct"})");
    EXPECT_TRUE(everyPhoneSees([](const QJsonObject& m) { return stateIs(m, "score", 3); }));
    // The end of the round: the final score and no presses.
    f.game.ticks(89);
    EXPECT_TRUE(everyPhoneSees([](const QJsonObject& m) {
        return stateIs(m, "phase", "over") && stateIs(m, "line", "finalScore") && stateIs(m, "correct", false) &&
               stateIs(m, "start", true);
    }));
}

TEST(RemotePlay, APhoneThatReconnectsSeesTheRoundAsItStands) {
    RemoteFixture f;
    f.game.start(60);
    f.game.correct();
    f.game.skip();
    f.game.ticks(5);
    PhoneClient phone;
    ASSERT_TRUE(phone.open(f.socket()));
    ASSERT_TRUE(phone.waitForAny([](const QJsonObject& m) { return stateIs(m, "type", "state"); }));
    const QJsonObject state = phone.messages().front();
    EXPECT_EQ(state.value(QLatin1String("phase")), running);
    EXPECT_EQ(state.value(QLatin1String("word")), "熊猫");
    EXPECT_EQ(state.value(QLatin1String("points")), 1);
    EXPECT_EQ(state.value(QLatin1String("score")), 3);
    EXPECT_EQ(state.value(QLatin1String("skips")), 1);
    EXPECT_EQ(state.value(QLatin1String("seconds")), 55);
    EXPECT_EQ(state.value(QLatin1String("gained")), 0) << "no flash of a change long past";
}

// In a match the phone names the teams, and the host mends and confirms the
// review of a round from the phone as on the big screen.
TEST(RemotePlay, AMatchsTeamsAndItsReviewOnThePhone) {
    RemoteFixture f;
    f.game.game->startMatch({"红队", "蓝队"}, 1);
    PhoneClient phone;
    ASSERT_TRUE(phone.open(f.socket()));
    ASSERT_TRUE(phone.waitForAny([](const QJsonObject& m) { return stateIs(m, "nextTeam", "红队"); }));
    EXPECT_EQ(phone.lastState().value(QLatin1String("team")), QJsonValue(QJsonValue::Null));
    // Teams not given colours take the palette's in order.
    EXPECT_EQ(phone.lastState().value(QLatin1String("nextTeamColour")), "#E69F00");

    phone.send(R"({"cmd":"confirm"})");
    ASSERT_TRUE(phone.waitForNew([](const QJsonObject& m) { return stateIs(m, "type", "error"); }))
        << "no review before a round";

    phone.send(R"({"cmd":"start"})");
    // The round opens with its rule card; the phone's 开始 ends it at once.
    ASSERT_TRUE(phone.waitForState([](const QJsonObject& m) {
        return stateIs(m, "team", "红队") && m.value(QLatin1String("card")).isObject();
    }));
    EXPECT_EQ(phone.lastState().value(QLatin1String("card")).toObject().value(QLatin1String("kind")), "描述");
    phone.send(R"({"cmd":"start"})");
    ASSERT_TRUE(phone.waitForState([](const QJsonObject& m) { return stateIs(m, "phase", "running"); }));
    f.game.later();
    phone.send(R"({"cmd":"correct"})");
    ASSERT_TRUE(phone.waitForState([](const QJsonObject& m) { return stateIs(m, "score", 3); }));
    f.game.later();
    phone.send(R"({"cmd":"skip"})");
    ASSERT_TRUE(phone.waitForState([](const QJsonObject& m) { return stateIs(m, "skips", 1); }));
    f.game.ticks(90);
    ASSERT_TRUE(phone.waitForState([](const QJsonObject& m) { return m.value(QLatin1String("review")).isObject(); }));
    QJsonObject review = phone.lastState().value(QLatin1String("review")).toObject();
    QJsonArray lines = review.value(QLatin1String("lines")).toArray();
    ASSERT_EQ(lines.size(), 3);
    EXPECT_EQ(lines[0].toObject().value(QLatin1String("verdict")), "correct");
    EXPECT_EQ(lines[1].toObject().value(QLatin1String("verdict")), "skipped");
    EXPECT_EQ(lines[2].toObject().value(QLatin1String("verdict")), "missed");
    EXPECT_EQ(review.value(QLatin1String("total")), 3);

    // The skip was a misclick: 长颈鹿 was guessed.
    phone.send(R"({"cmd":"toggle","entry":1})");
    ASSERT_TRUE(phone.waitForState([](const QJsonObject& m) {
        return m.value(QLatin1String("review")).toObject().value(QLatin1String("total")) == 5;
    }));
    EXPECT_EQ(f.game.game->review()->total(), 5);
    phone.send(R"({"cmd":"toggle","entry":3})");
    ASSERT_TRUE(phone.waitForNew([](const QJsonObject& m) { return stateIs(m, "type", "error"); }));

    phone.send(R"({"cmd":"confirm"})");
    ASSERT_TRUE(phone.waitForState([](const QJsonObject& m) { return m.value(QLatin1String("review")).isNull(); }));
    EXPECT_EQ(phone.lastState().value(QLatin1String("nextTeam")), "蓝队");
    EXPECT_EQ(phone.lastState().value(QLatin1String("nextTeamColour")), "#56B4E9");
    ASSERT_TRUE(f.game.game->match().has_value());
    ASSERT_EQ(f.game.game->match()->rounds().size(), 1u);
    EXPECT_EQ(f.game.game->match()->rounds()[0].score, 5);
    EXPECT_EQ(f.game.game->match()->rounds()[0].skips, 0);
}

// The host switches the remote off while a phone's press is still being
// handled (a start that loads the library): every phone hears why, and the
// remote goes once the press is done, touching no phone or socket that is
// gone.
TEST(RemotePlay, SwitchingOffDuringAPhonesPressClosesEveryPhone) {
    RemoteFixture f;
    PhoneClient presser;
    PhoneClient watcher;
    ASSERT_TRUE(presser.open(f.socket()));
    ASSERT_TRUE(watcher.open(f.socket()));
    struct SwitchOffOnStart : GameListener {
        explicit SwitchOffOnStart(std::unique_ptr<RemoteServer>& remote) : remote(remote) {}
        void roundStarted() override {
            RemoteServer* server = remote.release();
            server->stop();
            server->deleteLater();
        }
        std::unique_ptr<RemoteServer>& remote;
    } switchOff(f.remote);
    f.game.game->addListener(switchOff);
    const QPointer<RemoteServer> server(f.remote.get());

    presser.send(R"({"cmd":"start"})");
    ASSERT_TRUE(presser.waitClosed());
    EXPECT_EQ(presser.closeCode(), closeCode::switchedOff);
    ASSERT_TRUE(watcher.waitClosed());
    EXPECT_EQ(watcher.closeCode(), closeCode::switchedOff);
    EXPECT_TRUE(waitUntil([&] { return server.isNull(); }));
    f.game.game->removeListener(switchOff);
    EXPECT_EQ(f.game.round().phase, RoundPhase::running);
}

// In 禁词模式 the phone shows the word's forbidden words as text and offers
// "犯规", which ends the word as a foul; the review names it.
TEST(RemotePlay, AFoulFromThePhoneAndTheForbiddenWordsItShows) {
    RemoteFixture f({{"长颈鹿", 2, {}, 0, {"脖子", "<b>高</b>"}}, {"大象", 3}, {"熊猫", 1}});
    PhoneClient phone;
    ASSERT_TRUE(phone.open(f.socket()));
    phone.send(R"({"cmd":"start"})");
    ASSERT_TRUE(phone.waitForState([](const QJsonObject& m) { return stateIs(m, "word", "长颈鹿"); }));
    QJsonObject state = phone.lastState();
    EXPECT_TRUE(state.value(QLatin1String("forbiddenMode")).toBool());
    EXPECT_TRUE(state.value(QLatin1String("foul")).toBool());
    EXPECT_EQ(state.value(QLatin1String("forbidden")), QJsonArray({"脖子", "<b>高</b>"}));

    f.game.later();
    phone.send(R"({"cmd":"foul"})");
    ASSERT_TRUE(phone.waitForState([](const QJsonObject& m) { return stateIs(m, "skips", 1); }));
    state = phone.lastState();
    EXPECT_EQ(state.value(QLatin1String("word")), "大象");
    EXPECT_EQ(state.value(QLatin1String("forbidden")), QJsonArray());

    f.game.ticks(90);
    ASSERT_TRUE(phone.waitForState([](const QJsonObject& m) { return !stateIs(m, "review", QJsonValue::Null); }));
    const QJsonArray lines =
        phone.lastState().value(QLatin1String("review")).toObject().value(QLatin1String("lines")).toArray();
    ASSERT_FALSE(lines.isEmpty());
    EXPECT_EQ(lines[0].toObject().value(QLatin1String("verdict")), "foul");
}

// The page's contract: a state message names every part of the operator's
// view, the teams and the review included.
TEST(RemoteProtocol, TheStateMessageCarriesTheWholeOperatorsView) {
    OperatorView view;
    view.phase = RoundPhase::over;
    view.line = WordLine::finalScore;
    view.score = 5;
    view.skips = 1;
    view.startEnabled = true;
    view.team = TeamMark{"<b>红队</b>", 0xE69F00};
    view.nextTeam = TeamMark{"蓝队", 0x0072B2};
    view.review = Review(0,
                         {{{"大象", 3}, Verdict::correct, Verdict::correct, 0},
                          {{"熊猫", 1}, Verdict::skipped, Verdict::skipped, 0}},
                         true);
    view.review->toggle(1);
    const QJsonObject state = QJsonDocument::fromJson(stateMessage(view)).object();
    EXPECT_EQ(state.value(QLatin1String("type")), "state");
    EXPECT_EQ(state.value(QLatin1String("phase")), "over");
    EXPECT_EQ(state.value(QLatin1String("line")), "finalScore");
    EXPECT_EQ(state.value(QLatin1String("points")), QJsonValue(QJsonValue::Null));
    EXPECT_EQ(state.value(QLatin1String("team")), "<b>红队</b>");
    EXPECT_EQ(state.value(QLatin1String("nextTeam")), "蓝队");
    EXPECT_EQ(state.value(QLatin1String("teamColour")), "#E69F00");
    EXPECT_EQ(state.value(QLatin1String("nextTeamColour")), "#0072B2");
    EXPECT_EQ(state.value(QLatin1String("card")), QJsonValue(QJsonValue::Null));
    const QJsonObject review = state.value(QLatin1String("review")).toObject();
    EXPECT_EQ(review.value(QLatin1String("total")), 4);
    EXPECT_EQ(review.value(QLatin1String("skips")), 0);
    EXPECT_EQ(review.value(QLatin1String("closedEarly")), true);
    EXPECT_EQ(review.value(QLatin1String("counts")), false);
    const QJsonArray lines = review.value(QLatin1String("lines")).toArray();
    ASSERT_EQ(lines.size(), 2);
    EXPECT_EQ(lines[1].toObject().value(QLatin1String("played")), "skipped");
    EXPECT_EQ(lines[1].toObject().value(QLatin1String("verdict")), "correct");
    for (const char* field : {"word", "forbidden", "seconds", "score", "skips", "correct", "skip", "foul", "start",
                              "busy", "gained", "penalty", "forbiddenMode", "skipCap", "skipReason"}) {
        EXPECT_TRUE(state.contains(QLatin1String(field))) << field;
    }
}

// The rule card reaches the phone as the console and the big screen word it:
// the kind's name and rule, the team with its colour, who acts, and the stage.
TEST(RemoteProtocol, TheStateMessageCarriesTheRuleCard) {
    MatchSetup setup;
    setup.teams = {{"红队", 2, {}}, {"<b>蓝队</b>", 5, {"小明", "小红"}}};
    const std::optional<Match> match(std::in_place, 1, setup);
    struct Case {
        MatchStage stage;
        bool doublePoints;
        const char* shown;
    };
    for (const Case& c : {Case{MatchStage::regular, false, ""}, Case{MatchStage::tieBreak, false, "加赛"},
                          Case{MatchStage::final, true, "决赛 · 双倍分"}}) {
        OperatorView view;
        view.phase = RoundPhase::card;
        view.card = cardView(RoundCard{RoundKind::act, 1, "小红", c.stage, c.doublePoints, 45}, 2, match);
        const QJsonObject card =
            QJsonDocument::fromJson(stateMessage(view)).object().value(QLatin1String("card")).toObject();
        EXPECT_EQ(card.value(QLatin1String("kind")), QString::fromStdString(roundKindName(RoundKind::act))) << c.shown;
        EXPECT_EQ(card.value(QLatin1String("rule")), QString::fromStdString(roundKindRule(RoundKind::act)));
        EXPECT_EQ(card.value(QLatin1String("team")), "<b>蓝队</b>");
        EXPECT_EQ(card.value(QLatin1String("teamColour")), "#D55E00");
        EXPECT_EQ(card.value(QLatin1String("actor")), "小红");
        EXPECT_EQ(card.value(QLatin1String("stage")), QString::fromUtf8(c.shown));
        EXPECT_EQ(card.value(QLatin1String("seconds")), 2);
    }

    // A single round of another kind has a card but no team.
    OperatorView single;
    single.phase = RoundPhase::card;
    single.card = cardView(RoundCard{RoundKind::sounds, -1, {}, MatchStage::regular, false, 90}, 3, std::nullopt);
    const QJsonObject card =
        QJsonDocument::fromJson(stateMessage(single)).object().value(QLatin1String("card")).toObject();
    EXPECT_EQ(card.value(QLatin1String("kind")), "声音");
    EXPECT_EQ(card.value(QLatin1String("team")), QJsonValue(QJsonValue::Null));
    EXPECT_EQ(card.value(QLatin1String("teamColour")), QJsonValue(QJsonValue::Null));
    EXPECT_EQ(card.value(QLatin1String("actor")), "");
    EXPECT_EQ(card.value(QLatin1String("seconds")), 3);
}

// 跳过 greyed out by the round's skip cap comes with the reason the phone
// shows under it; greyed out for any other reason, with none.
TEST(RemoteProtocol, ASkipCapGreysSkipOutWithItsReason) {
    OperatorView view;
    view.phase = RoundPhase::running;
    view.correctEnabled = true;
    view.skipCapReached = true;
    QJsonObject state = QJsonDocument::fromJson(stateMessage(view)).object();
    EXPECT_EQ(state.value(QLatin1String("skip")), false);
    EXPECT_EQ(state.value(QLatin1String("skipCap")), true);
    EXPECT_EQ(state.value(QLatin1String("skipReason")), QString::fromStdString(refusalText(Refusal::skipCap)));

    view.skipCapReached = false;
    state = QJsonDocument::fromJson(stateMessage(view)).object();
    EXPECT_EQ(state.value(QLatin1String("skipCap")), false);
    EXPECT_EQ(state.value(QLatin1String("skipReason")), QJsonValue(QJsonValue::Null));
}

}  // namespace
}  // namespace caici::testing
