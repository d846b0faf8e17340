// The phone beyond the plain presses: the host mends the review of a round
// line by line, the first line too, and says whether a round closed early
// counts; a press's flash shows once; and a phone may keep a human pace up
// to its exact edge.

#include "remote/command_rate.h"
#include "remote/remote_protocol.h"
#include "remote_fixture.h"

#include <QJsonArray>
#include <QTest>

#include <gtest/gtest.h>

#include <algorithm>

namespace caici::testing {
namespace {

using namespace std::chrono_literals;

QJsonObject reviewOf(const QJsonObject& state) {
    return state.value(QLatin1String("review")).toObject();
}

QJsonObject lineOf(const QJsonObject& state, qsizetype entry) {
    return reviewOf(state).value(QLatin1String("lines")).toArray().at(entry).toObject();
}

// A phone joins a match of two teams whose first round has credited a word.
bool joinAMatchRound(RemoteFixture& f, PhoneClient& phone) {
    f.game.game->startMatch({"红队", "蓝队"}, 1);
    if (!phone.open(f.socket())) return false;
    f.game.start(30);
    f.game.correct();
    return true;
}

long pongs(const PhoneClient& phone) {
    return std::count_if(phone.messages().begin(), phone.messages().end(),
                         [](const QJsonObject& m) { return stateIs(m, "type", "pong"); });
}

// Every line of the review toggles from the phone as on the big screen: the
// first line as well as the others; the phone shows how each word was
// played beside the host's verdict, and the total follows.
TEST(RemoteReview, EveryLineIsMendedFromThePhoneTheFirstOneToo) {
    RemoteFixture f;
    PhoneClient phone;
    ASSERT_TRUE(joinAMatchRound(f, phone));
    f.game.ticks(30);
    ASSERT_TRUE(phone.waitForAny([](const QJsonObject& m) { return reviewOf(m).value(QLatin1String("total")) == 3; }));

    const struct {
        int entry;
        const char* verdict;
        const char* played;
        int total;
    } steps[] = {
        {0, "missed", "correct", 0},   // 大象 was credited by mistake
        {1, "correct", "missed", 2},   // 长颈鹿 was guessed as time ran out
        {0, "correct", "correct", 5},  // 大象 was right after all
    };
    for (const auto& step : steps) {
        SCOPED_TRACE("toggle " + std::to_string(step.entry));
        phone.sendText(R"({"cmd":"toggle","entry":)" + QByteArray::number(step.entry) + "}");
        ASSERT_TRUE(phone.waitForState([&](const QJsonObject& m) {
            return reviewOf(m).value(QLatin1String("total")) == step.total &&
                   lineOf(m, step.entry).value(QLatin1String("verdict")) == QLatin1String(step.verdict);
        }));
        EXPECT_EQ(lineOf(phone.lastState(), step.entry).value(QLatin1String("played")), QLatin1String(step.played));
        EXPECT_EQ(f.game.game->review()->total(), step.total);
    }
    phone.send(R"({"cmd":"confirm"})");
    ASSERT_TRUE(phone.waitForState([](const QJsonObject& m) { return m.value(QLatin1String("review")).isNull(); }));
    ASSERT_EQ(f.game.game->match()->rounds().size(), 1u);
    EXPECT_EQ(f.game.game->match()->rounds()[0].score, 5);
}

// A round closed early counts only as the host says, and from the phone he
// can say either.
TEST(RemoteReview, ThePhoneSaysWhetherARoundClosedEarlyCounts) {
    RemoteFixture f;
    PhoneClient phone;
    ASSERT_TRUE(joinAMatchRound(f, phone));
    f.game.game->close();
    ASSERT_TRUE(phone.waitForAny([](const QJsonObject& m) {
        return reviewOf(m).value(QLatin1String("closedEarly")) == true &&
               reviewOf(m).value(QLatin1String("counts")) == false;
    }));
    for (const bool counts : {true, false, true}) {
        SCOPED_TRACE(counts);
        phone.sendText(QByteArrayLiteral(R"({"cmd":"counts","counts":)") + (counts ? "true" : "false") + "}");
        ASSERT_TRUE(phone.waitForState(
            [&](const QJsonObject& m) { return reviewOf(m).value(QLatin1String("counts")) == counts; }));
        EXPECT_EQ(f.game.game->review()->counts(), counts);
    }
    phone.send(R"({"cmd":"confirm"})");
    ASSERT_TRUE(phone.waitForState([](const QJsonObject& m) { return m.value(QLatin1String("review")).isNull(); }));
    EXPECT_EQ(f.game.game->match()->rounds().size(), 1u);
}

// A flash comes with the change it follows, and once: the points just
// credited, the seconds a skip just took; the next view has none, or the
// page would flash them again at every tick.
TEST(RemoteReview, AFlashComesOnceWithItsChange) {
    RemoteFixture f;
    PhoneClient phone;
    ASSERT_TRUE(phone.open(f.socket()));
    f.game.start(60);
    f.game.correct();
    ASSERT_TRUE(phone.waitForState([](const QJsonObject& m) { return stateIs(m, "score", 3); }));
    EXPECT_EQ(phone.lastState().value(QLatin1String("gained")), 3);
    f.game.ticks(1);
    ASSERT_TRUE(phone.waitForState([](const QJsonObject& m) { return stateIs(m, "seconds", 59); }));
    EXPECT_EQ(phone.lastState().value(QLatin1String("gained")), 0);

    // The third skip costs 2 s.
    for (int i = 0; i < 3; ++i) f.game.skip();
    ASSERT_TRUE(phone.waitForState([](const QJsonObject& m) { return stateIs(m, "skips", 3); }));
    EXPECT_EQ(phone.lastState().value(QLatin1String("penalty")), 2);
    EXPECT_EQ(phone.lastState().value(QLatin1String("seconds")), 57);
    f.game.ticks(1);
    ASSERT_TRUE(phone.waitForState([](const QJsonObject& m) { return stateIs(m, "seconds", 56); }));
    EXPECT_EQ(phone.lastState().value(QLatin1String("penalty")), 0);
}

// Twenty commands in a second are a phone's own; the twenty-first within
// that second closes it. A message a full second after another no longer
// counts with it.
TEST(RemoteReview, TwentyCommandsASecondAndNotOneMore) {
    RemoteFixture f;
    PhoneClient phone;
    ASSERT_TRUE(phone.open(f.socket()));
    for (int i = 0; i < 20; ++i) phone.send(R"({"cmd":"ping"})");
    ASSERT_TRUE(QTest::qWaitFor([&] { return pongs(phone) == 20; }, waitMs));
    f.game.now += 1000ms;
    for (int i = 0; i < 20; ++i) phone.send(R"({"cmd":"ping"})");
    ASSERT_TRUE(QTest::qWaitFor([&] { return pongs(phone) == 40; }, waitMs));
    EXPECT_TRUE(phone.connected());

    phone.send(R"({"cmd":"ping"})");
    ASSERT_TRUE(phone.waitClosed());
    EXPECT_EQ(phone.closeCode(), closeCode::flood);
    EXPECT_EQ(pongs(phone), 40);
}

// The edge of the second, to the millisecond: each message leaves the count
// exactly one second after it came.
TEST(CommandRate, EachMessageLeavesTheCountASecondAfterItCame) {
    std::chrono::milliseconds now{0};
    CommandRate rate([&] { return now; });
    // Twenty at 0, 10, ..., 190 ms.
    for (int i = 0; i < 20; ++i) {
        now = std::chrono::milliseconds(10 * i);
        EXPECT_TRUE(rate.admit()) << now.count();
    }
    const struct {
        std::chrono::milliseconds at;
        bool admitted;
    } steps[] = {{190ms, false}, {999ms, false}, {1000ms, true}, {1000ms, false}, {1009ms, false}, {1010ms, true}};
    for (const auto& step : steps) {
        now = step.at;
        EXPECT_EQ(rate.admit(), step.admitted) << step.at.count();
    }
}

}  // namespace
}  // namespace caici::testing
