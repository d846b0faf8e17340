// What the scoreboard and its exported picture say of a match played as a
// show: what comes next, the awards, the event's brand.

#include "round/digital_font.h"
#include "round/scoreboard_panel.h"
#include "round/scoreboard_picture.h"
#include "round/show_labels.h"
#include "tables/match_models.h"
#include "window_fixture.h"

namespace caici::testing {
namespace {

MatchSetup showSetup() {
    MatchSetup setup;
    setup.teams = {{"红队", 5, {"张三"}}, {"蓝队", 1, {"李四"}}, {"绿队", 2, {}}};
    setup.rules.kinds = {RoundKind::describe, RoundKind::act};
    return setup;
}

MatchRound played(int team, std::int64_t score) {
    MatchRound round;
    round.team = team;
    round.score = score;
    return round;
}

// The scoreboard announces the next round: its pass, kind, team and actor;
// a tie-break names every team still tied with the next one; the final its
// two teams and double points.
TEST(NextRoundText, SaysWhatComesNext) {
    // 红队 and 蓝队 equal at 5 with no skips, 绿队 behind.
    const Match match(1, showSetup(), {played(0, 5), played(1, 5), played(2, 2)});
    const struct {
        NextRound next;
        const char* said;
    } cases[] = {
        {{0, 2, MatchStage::regular, RoundKind::act, "张三", false, false}, "下一轮：第2轮 · 比划 · 红队（表演：张三）"},
        {{2, 2, MatchStage::regular, RoundKind::act, "", false, false}, "下一轮：第2轮 · 比划 · 绿队"},
        {{1, 2, MatchStage::tieBreak, RoundKind::act, "李四", false, true}, "加赛：红队、蓝队 · 轮到：蓝队（表演：李四）"},
        {{1, 2, MatchStage::final, RoundKind::act, "", true, true}, "决赛（双倍分）：红队、蓝队 · 轮到：蓝队"},
    };
    for (const auto& [next, said] : cases) EXPECT_EQ(nextRoundText(match, next).toStdString(), said);
}

// Each award on one line, every player who earned it named, nothing for an
// award nobody earned.
TEST(AwardLines, NameEveryWinner) {
    const std::vector<std::string> teams{"红队", "蓝队"};
    const struct {
        Awards awards;
        std::vector<const char*> lines;
    } cases[] = {
        {{}, {}},
        {{{{"张三", 0, 12, 0}}, {{"李四", 1, 0, 3240}}}, {"最佳表演：张三（红队）12 分", "神速：李四 中位 3.2 秒"}},
        {{{{"张三", 0, 9, 0}, {"李四", 1, 9, 0}}, {}}, {"最佳表演：张三（红队）、李四（蓝队）9 分"}},
        {{{}, {{"张三", 0, 0, 2950}, {"王五", 1, 0, 2950}}}, {"神速：张三、王五 中位 3.0 秒"}},
    };
    for (const auto& [awards, lines] : cases) {
        const QStringList shown = awardLines(awards, teams);
        ASSERT_EQ(shown.size(), static_cast<qsizetype>(lines.size()));
        for (std::size_t line = 0; line < lines.size(); ++line) EXPECT_EQ(shown[line].toStdString(), lines[line]);
    }
}

// A fresh match's scoreboard already says who begins, and with what kind;
// the event's brand stands beside the title.
TEST_F(WindowTest, TheScoreboardSaysWhatComesNextAndShowsTheEventsBrand) {
    MatchSetup setup = showSetup();
    for (MatchTeam& team : setup.teams) team.players.clear();
    game->startMatch(setup);
    window->setEventBrand({QStringLiteral("星光科技年会"), QImage()});
    window->show();
    window->menu().scoreboard->trigger();
    const ScoreboardPanel& board = part<ScoreboardPanel>("scoreboard");
    ASSERT_TRUE(board.isVisible());
    EXPECT_EQ(board.status->text(), QStringLiteral("下一轮：第1轮 · 描述 · 红队"));
    EXPECT_TRUE(board.brand->isVisible());
    EXPECT_EQ(board.brand->text(), QStringLiteral("星光科技年会"));
    EXPECT_TRUE(board.rect().contains(board.brand->geometry()));
    EXPECT_FALSE(board.awards->isVisible());
}

bool holdsColor(const QImage& picture, QRgb color) {
    for (int y = 0; y < picture.height(); ++y) {
        const auto* row = reinterpret_cast<const QRgb*>(picture.constScanLine(y));
        int run = 0;
        for (int x = 0; x < picture.width(); ++x) {
            run = (row[x] & 0xffffff) == (color & 0xffffff) ? run + 1 : 0;
            if (run >= 20) return true;
        }
    }
    return false;
}

// The saved picture of a finished match carries the event's logo and name
// and the awards, as pixels and as the picture's text.
TEST(ScoreboardPicture, CarriesTheAwardsAndTheEventsBrand) {
    const QString digits = DigitalFont::registerFor(QString::fromStdString(gameFolderPath()));
    const Match match(1, showSetup(), {played(0, 5), played(1, 3), played(2, 2)});
    ScoreboardSheet sheet = scoreboardSheet(match, {});
    ASSERT_TRUE(sheet.finished == match.finished());
    sheet.finished = true;
    const QImage plain = scoreboardPicture(sheet, {}, digits, QDate(2026, 12, 24));

    QImage logo(400, 200, QImage::Format_RGB32);
    logo.fill(QColor(255, 0, 255));
    sheet.brand = {QStringLiteral("星光科技年会"), logo};
    sheet.awards = awardLines({{{"张三", 0, 12, 0}}, {{"李四", 1, 0, 3200}}}, match.teams());
    const QImage shown = scoreboardPicture(sheet, {}, digits, QDate(2026, 12, 24));
    EXPECT_TRUE(holdsColor(shown, qRgb(255, 0, 255)));
    EXPECT_FALSE(holdsColor(plain, qRgb(255, 0, 255)));
    EXPECT_GT(shown.height(), plain.height());
    const QString words = shown.text(QStringLiteral("Description"));
    for (const char* said : {"星光科技年会", "最佳表演：张三（红队）12 分", "神速：李四 中位 3.2 秒"}) {
        EXPECT_TRUE(words.contains(QString::fromUtf8(said))) << said;
    }
}

}  // namespace
}  // namespace caici::testing
