// The match's scoreboard on the big screen and in its exported picture: the
// largest match shows every team, whole.

#include "round/digital_font.h"
#include "round/scoreboard_panel.h"
#include "round/scoreboard_picture.h"
#include "window_fixture.h"

#include <QAbstractItemView>
#include <QHeaderView>
#include <QScrollBar>
#include <QTableView>

namespace caici::testing {
namespace {

// Names of twelve characters each, as long as hosts make them.
std::vector<std::string> longNames(int count) {
    const char* const last[] = {"一", "二", "三", "四", "五", "六", "七", "八", "九", "十", "百", "千"};
    std::vector<std::string> names;
    for (int team = 0; team < count; ++team) names.push_back(std::string("星光闪耀猜词王者小分队") + last[team]);
    return names;
}

class ScoreboardTest : public WindowTest {
protected:
    // Each team plays its round of the one pass; the scores differ.
    void playEveryTeam(int teams) {
        for (int team = 0; team < teams; ++team) {
            start(10);
            for (int word = 0; word < team % 4; ++word) correct();
            ticks(10);
            game->confirmReview();
        }
    }
};

// At 1024 x 768, the smallest window the game runs in, the scoreboard of the
// largest match shows every row without a scrollbar and no text cut short,
// both during the match and with the podium after it.
TEST_F(ScoreboardTest, EveryTeamShowsWholeInTheSmallestWindow) {
    game->startMatch(longNames(maxTeams), 1);
    window->show();
    for (const bool finished : {false, true}) {
        if (finished) playEveryTeam(maxTeams);
        window->resize(1024, 768);
        const ScoreboardPanel& board = part<ScoreboardPanel>("scoreboard");
        if (!board.isVisible()) window->menu().scoreboard->trigger();
        QCoreApplication::processEvents();
        ASSERT_TRUE(board.isVisible());
        ASSERT_EQ(board.size(), QSize(1024, 768));
        ASSERT_EQ(board.podium->isVisible(), finished);
        const QTableView& table = *board.table;
        ASSERT_EQ(table.model()->rowCount(), maxTeams);
        EXPECT_TRUE(board.rect().contains(table.geometry())) << finished;
        EXPECT_FALSE(finished && board.podium->geometry().intersects(table.geometry()));
        EXPECT_FALSE(table.verticalScrollBar()->isVisible()) << finished;
        EXPECT_FALSE(table.horizontalScrollBar()->isVisible()) << finished;
        for (int row = 0; row < maxTeams; ++row) {
            EXPECT_TRUE(table.viewport()->rect().contains(table.visualRect(table.model()->index(row, 0))))
                << finished << " row " << row;
        }
        // A column narrower than its text asks for draws it cut short with "…".
        const QAbstractItemView& view = table;
        for (int column = 0; column < table.model()->columnCount(); ++column) {
            EXPECT_GE(table.columnWidth(column), view.sizeHintForColumn(column)) << finished << " column " << column;
            EXPECT_GE(table.columnWidth(column), table.horizontalHeader()->sectionSizeHint(column))
                << finished << " column " << column;
        }
    }
}

// The exported picture holds every team: as wide whatever their number, a
// row higher for each more team, and higher still with a finished match's
// podium.
TEST(ScoreboardPicture, HoldsEveryTeam) {
    const QString digits = DigitalFont::registerFor(QString::fromStdString(gameFolderPath()));
    const QDate day(2024, 5, 1);
    std::vector<QSize> sizes;
    for (int teams = minTeams; teams <= maxTeams; ++teams) {
        sizes.push_back(scoreboardPicture(Match(1, longNames(teams), 1), {}, digits, day).size());
    }
    const int row = sizes[1].height() - sizes[0].height();
    EXPECT_GE(row, 40);
    for (std::size_t more = 1; more < sizes.size(); ++more) {
        EXPECT_EQ(sizes[more].width(), sizes[0].width());
        EXPECT_EQ(sizes[more].height() - sizes[more - 1].height(), row) << more + minTeams;
    }
    std::vector<MatchRound> rounds;
    for (int team = 0; team < maxTeams; ++team) rounds.push_back({team, team * 3, team % 2, false, {}});
    const QImage finished = scoreboardPicture(Match(1, longNames(maxTeams), 1, rounds), {}, digits, day);
    EXPECT_GT(finished.height(), sizes.back().height());
}

}  // namespace
}  // namespace caici::testing
