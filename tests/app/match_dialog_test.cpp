// The match set-up as a host fills it in: what it refuses, with the reason
// in the dialog, and the match it sets up.

#include "app/match_dialog.h"

#include "app/colour_swatches.h"
#include "app/match_players.h"
#include "game_fixture.h"
#include "typing.h"

#include <QCheckBox>
#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QRadioButton>
#include <QSpinBox>
#include <QTest>
#include <QToolButton>

#include <gtest/gtest.h>

#include <functional>
#include <string>
#include <vector>

namespace caici {
namespace {

void typePlayers(MatchDialog& dialog, int team, const QString& typed) {
    dialog.teams->setCurrentRow(team);
    dialog.players->selectAll();
    testing::typeText(dialog.players, typed);
}

// Every bad input is refused in the dialog with its reason, and no match starts.
TEST(MatchDialog, RefusesEachBadSetUpWithItsReasonAndStartsNothing) {
    struct Case {
        const char* what;
        std::function<void(MatchDialog&)> enter;
        const char* said;
    };
    const Case cases[] = {
        {"a team without a name", [](MatchDialog& d) { d.teams->item(1)->setText(QString()); },
         "第2个队名是空的，请填上队名。"},
        {"two teams of one name", [](MatchDialog& d) { d.teams->item(1)->setText(QStringLiteral("第1队")); },
         "队名“第1队”重复了，每个队要有自己的名字。"},
        {"one team only",
         [](MatchDialog& d) {
             d.teams->setCurrentRow(1);
             d.remove->click();
         },
         "一场比赛要有 2 到 12 个队。"},
        {"a target score of 0",
         [](MatchDialog& d) {
             d.byTarget->click();
             d.target->selectAll();
             QTest::keyClicks(d.target, QStringLiteral("0"));
         },
         "目标分要在 1 到 999 之间。"},
        {"禁词 with words without forbidden words",
         [](MatchDialog& d) { testing::chooseKind(*d.kinds[0], RoundKind::forbidden); },
         "玩法里有“禁词”，但在用的词语都没有禁词。请换用带禁词的词库，或选别的玩法。"},
        {"two players of one name", [](MatchDialog& d) { typePlayers(d, 1, QStringLiteral("小王、小李、小王")); },
         "第2队里有两位队员都叫“小王”。"},
        {"a player left out between two marks", [](MatchDialog& d) { typePlayers(d, 0, QStringLiteral("小王、、小李")); },
         "第1队的第2位队员没有名字。"},
        {"a player's name too long",
         [](MatchDialog& d) { typePlayers(d, 0, QStringLiteral("一二三四五六七八九十一二三四五六七")); },
         "第1队的队员“一二三四五六七八九十一二三四五六七”名字太长，最多 16 个字。"},
        {"thirteen players",
         [](MatchDialog& d) { typePlayers(d, 0, QStringLiteral("甲 乙 丙 丁 戊 己 庚 辛 壬 癸 子 丑 寅")); },
         "第1队最多 12 位队员。"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        testing::GameFixture game;
        game.library().entries = testing::numberedWords(20);
        game.game->load();
        MatchDialog dialog(nullptr, *game.game);
        dialog.show();
        c.enter(dialog);
        dialog.start->click();
        EXPECT_EQ(dialog.problem->text().toStdString(), c.said);
        EXPECT_FALSE(game.game->match().has_value());
        EXPECT_TRUE(dialog.isVisible());
    }
}

// What the host sets up is the match the game is asked for: the teams with
// their colours and players, the kinds, the end and the final.
TEST(MatchDialog, AGoodSetUpReachesTheGameWithEverythingTheHostChose) {
    testing::GameFixture game;
    game.library().entries = testing::numberedWords(20);
    game.game->load();
    MatchDialog dialog(nullptr, *game.game);
    dialog.show();
    dialog.add->click();
    dialog.teams->item(2)->setText(QStringLiteral(" 猎豹 队"));
    dialog.teams->setCurrentRow(1);
    dialog.findChild<QToolButton*>(QStringLiteral("colour5"))->click();
    typePlayers(dialog, 0, QStringLiteral("小王、小李, 小张  小赵"));
    dialog.teams->setCurrentRow(2);
    EXPECT_EQ(dialog.players->text(), QString()) << "the third team has no players";
    dialog.teams->setCurrentRow(0);
    EXPECT_EQ(dialog.players->text(), QStringLiteral("小王、小李, 小张  小赵")) << "shown as typed";
    dialog.addKind->click();
    testing::chooseKind(*dialog.kinds[1], RoundKind::act);
    dialog.sameWords->click();
    dialog.byTarget->click();
    dialog.target->setValue(6);
    dialog.finalRound->click();

    const MatchSetup setup = dialog.setup();
    ASSERT_EQ(setup.teams.size(), 3u);
    EXPECT_EQ(setup.teams[0].name, "第1队");
    EXPECT_EQ(setup.teams[2].name, " 猎豹 队") << "names as typed";
    EXPECT_EQ(setup.teams[0].colour, 0u);
    EXPECT_EQ(setup.teams[1].colour, 5u);
    EXPECT_EQ(setup.teams[2].colour, 2u) << "a team added takes the next colour";
    EXPECT_EQ(setup.teams[0].players, (std::vector<std::string>{"小王", "小李", "小张", "小赵"}));
    EXPECT_TRUE(setup.teams[1].players.empty());
    EXPECT_EQ(setup.rules.kinds, (std::vector<RoundKind>{RoundKind::describe, RoundKind::act}));
    EXPECT_TRUE(setup.rules.sameWords);
    EXPECT_EQ(setup.rules.end, MatchEnd::targetScore);
    EXPECT_EQ(setup.rules.targetScore, 6);
    EXPECT_TRUE(setup.rules.final);

    dialog.start->click();
    EXPECT_EQ(dialog.problem->text(), QString());
    ASSERT_TRUE(game.game->match().has_value());
    EXPECT_EQ(game.game->match()->teams(), (std::vector<std::string>{"第1队", "第2队", " 猎豹 队"}));
    EXPECT_FALSE(dialog.isVisible());
}

// Players are typed into one field, separated the ways lists are written.
TEST(MatchPlayers, NamesAreSeparatedByEnumerationCommasCommasAndSpaces) {
    const struct {
        const char* typed;
        std::vector<std::string> names;
    } cases[] = {
        {"", {}},
        {"小王", {"小王"}},
        {"小王、小李，小张,小赵 Tom", {"小王", "小李", "小张", "小赵", "Tom"}},
        {"  小王 ,  小李　小张  ", {"小王", "小李", "小张"}},
        {"、小王、小李、", {"小王", "小李"}},
        {"小王、 、小李", {"小王", "", "小李"}},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(splitPlayerNames(QString::fromUtf8(c.typed)), c.names) << c.typed;
    }
}

}  // namespace
}  // namespace caici
