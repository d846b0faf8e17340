// What the operator sees of a match played as a show: the rule card the big
// screen shows before a round, and each team's colour mark beside its name.

#include "common/error_guard.h"
#include "console/card_panel.h"
#include "console/operator_console.h"
#include "game_fixture.h"
#include "tables/match_models.h"
#include "texts/user_texts.h"

#include <QAbstractItemModel>
#include <QLabel>
#include <QPixmap>
#include <QTableView>

#include <gtest/gtest.h>

#include <optional>
#include <string>
#include <utility>
#include <vector>

namespace caici::testing {
namespace {

struct CollectedErrors : ErrorReporter {
    void reportError(const std::string& text) override { texts.push_back(text); }
    std::vector<std::string> texts;
};

QRgb centreOf(const QPixmap& mark) {
    return mark.toImage().pixel(mark.width() / 2, mark.height() / 2);
}

QRgb palette(std::size_t place) {
    return 0xff000000u | teamPalette[place];
}

QString shown(const QLabel* label) {
    return label->isHidden() ? QString() : label->text();
}

// The card names the team beside its colour, who acts, the stage when it is
// not a regular round, the kind with its rule, and the count, as the phone does.
TEST(ConsoleCard, TheCardSaysWhoPlaysWhoActsAndUnderWhichRule) {
    MatchSetup setup;
    setup.teams = {{"红队", 2, {}}, {"<b>蓝队</b>", 5, {"小明", "小红"}}};
    const std::optional<Match> match(std::in_place, 1, setup);
    struct Case {
        RoundCard card;
        std::int32_t seconds;
        const char* team;
        std::optional<std::size_t> colour;
        const char* actor;
        const char* stage;
    };
    const Case cases[] = {
        {{RoundKind::act, 1, "小红", MatchStage::final, true, 45}, 3, "<b>蓝队</b>", 5, "表演：小红", "决赛 · 双倍分"},
        {{RoundKind::oneWord, 0, {}, MatchStage::tieBreak, false, 45}, 2, "红队", 2, "", "加赛"},
        {{RoundKind::sounds, -1, {}, MatchStage::regular, false, 90}, 1, "", std::nullopt, "", ""},
    };
    for (const Case& c : cases) {
        CardPanel panel(nullptr);
        panel.showCard(c.card, c.seconds, namedTeam(match, c.card.team));
        const QString kind = QString::fromStdString(roundKindName(c.card.kind));
        EXPECT_EQ(shown(panel.cardTeam), QString::fromUtf8(c.team)) << kind.toStdString();
        EXPECT_EQ(panel.cardMark->isHidden(), !c.colour.has_value());
        if (c.colour) {
            EXPECT_EQ(centreOf(panel.cardMark->pixmap()), palette(*c.colour));
        }
        EXPECT_EQ(shown(panel.cardActor), QString::fromUtf8(c.actor));
        EXPECT_EQ(shown(panel.cardStage), QString::fromUtf8(c.stage));
        EXPECT_EQ(shown(panel.cardKind), kind);
        EXPECT_EQ(shown(panel.cardRule), QString::fromStdString(roundKindRule(c.card.kind)));
        EXPECT_EQ(shown(panel.cardCount), QString::number(c.seconds));
    }
}

// In a match the console marks each team it names with the team's colour: in
// its header, whose turn it is or who plays, and in the standings.
TEST(ConsoleTeams, EveryTeamNamedCarriesItsColourMark) {
    GameFixture f;
    f.library().entries = numberedWords(10);
    CollectedErrors errors;
    f.game->startMatch({"红队", "蓝队"}, 1);
    OperatorConsole console(*f.game, errors, QStringLiteral("Sans"));

    EXPECT_EQ(console.team->text(), QStringLiteral("下一队：红队"));
    ASSERT_FALSE(console.teamMark->isHidden());
    EXPECT_EQ(centreOf(console.teamMark->pixmap()), palette(0));
    EXPECT_TRUE(console.card->isHidden());
    EXPECT_TRUE(console.skipReason->isHidden());

    const QAbstractItemModel& standings = *console.standings->model();
    ASSERT_EQ(standings.rowCount(), 2);
    for (int row = 0; row < 2; ++row) {
        const QModelIndex name = standings.index(row, StandingsModel::team);
        const QPixmap mark = standings.data(name, Qt::DecorationRole).value<QPixmap>();
        ASSERT_FALSE(mark.isNull()) << row;
        EXPECT_EQ(centreOf(mark), palette(standings.data(name).toString() == QStringLiteral("红队") ? 0 : 1)) << row;
    }

    f.start();
    EXPECT_EQ(console.team->text(), QStringLiteral("红队"));
    EXPECT_EQ(centreOf(console.teamMark->pixmap()), palette(0));
    EXPECT_TRUE(errors.texts.empty());
}

}  // namespace
}  // namespace caici::testing
