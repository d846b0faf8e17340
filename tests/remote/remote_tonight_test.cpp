// Tonight's words from a phone: the form is offered between rounds only, a
// word added is the host's to see as typed, and the phone hears the answer.

#include "remote_fixture.h"

#include <gtest/gtest.h>

namespace caici::testing {
namespace {

bool answerIs(const QJsonObject& m, bool added) {
    return stateIs(m, "type", "tonight") && stateIs(m, "added", added);
}

// The text of the last answer to an add the phone has heard.
QString lastAnswer(const PhoneClient& phone) {
    for (auto m = phone.messages().rbegin(); m != phone.messages().rend(); ++m) {
        if (stateIs(*m, "type", "tonight")) return m->value(QLatin1String("text")).toString();
    }
    return {};
}

// Markup typed on a phone is a word like any other: kept and shown as typed,
// marked as the phone's; while a round runs the form is gone and an add that
// comes anyway is refused with the reason.
TEST(RemoteTonight, APhoneAddsPlainWordsBetweenRoundsOnly) {
    RemoteFixture f;
    PhoneClient phone;
    ASSERT_TRUE(phone.open(f.socket()));
    ASSERT_TRUE(phone.waitForAny([](const QJsonObject& m) { return stateIs(m, "tonight", true); }));

    phone.send(R"({"cmd":"add","word":" <Title1> ","points":2,"forbidden":"<b>、标题"})");
    ASSERT_TRUE(phone.waitForNew([](const QJsonObject& m) { return answerIs(m, true); }))
        << lastAnswer(phone).toStdString();
    EXPECT_TRUE(lastAnswer(phone).contains(QStringLiteral("“<Title1>”")));
    ASSERT_EQ(f.game.game->tonightWords().size(), 1u);
    EXPECT_EQ(f.game.game->tonightWords()[0],
              (TonightWord{"<Title1>", 2, {"<b>", "标题"}, TonightOrigin::phone}));

    phone.send(R"({"cmd":"add","word":"   ","points":1})");
    ASSERT_TRUE(phone.waitForNew([](const QJsonObject& m) { return answerIs(m, false); }));

    phone.send(R"({"cmd":"start"})");
    ASSERT_TRUE(phone.waitForState([](const QJsonObject& m) { return stateIs(m, "phase", "running"); }));
    EXPECT_FALSE(phone.lastState().value(QLatin1String("tonight")).toBool());
    f.game.later();
    phone.send(R"({"cmd":"add","word":"年会","points":1})");
    ASSERT_TRUE(phone.waitForNew([](const QJsonObject& m) { return answerIs(m, false); }));
    EXPECT_TRUE(lastAnswer(phone).contains(QStringLiteral("进行中")));
    EXPECT_EQ(f.game.game->tonightWords().size(), 1u);
}

// A phone that adds faster than anyone types is told so and adds nothing
// more, and a malformed add is an error; neither closes the phone.
TEST(RemoteTonight, AddsAreRateLimitedAndWellFormed) {
    RemoteFixture f;
    PhoneClient phone;
    ASSERT_TRUE(phone.open(f.socket()));
    for (const char* add : {R"({"cmd":"add","word":"一","points":1})", R"({"cmd":"add","word":"二","points":1})",
                            R"({"cmd":"add","word":"三","points":1})", R"({"cmd":"add","word":"四","points":1})"}) {
        phone.send(add);
    }
    ASSERT_TRUE(phone.waitForAny([](const QJsonObject& m) { return answerIs(m, false); }));
    EXPECT_EQ(f.game.game->tonightWords().size(), PhoneLink::addsPerSpan);

    for (const char* bad : {R"({"cmd":"add","word":5,"points":1})", R"({"cmd":"add","word":"五"})",
                            R"({"cmd":"add","word":"五","points":1.5})",
                            R"({"cmd":"add","word":"五","points":1,"forbidden":"","extra":1})"}) {
        phone.send(bad);
        ASSERT_TRUE(phone.waitForNew([](const QJsonObject& m) { return stateIs(m, "type", "error"); })) << bad;
    }
    f.game.now += PhoneLink::addSpan;
    phone.send(R"({"cmd":"add","word":"五","points":3})");
    ASSERT_TRUE(phone.waitForNew([](const QJsonObject& m) { return answerIs(m, true); }));
    EXPECT_TRUE(phone.connected());
}

}  // namespace
}  // namespace caici::testing
