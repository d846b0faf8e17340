#pragma once
// The review of a round and the match's standings as tables, for the views
// that draw them and for assistive technology, which reads every cell as it
// is drawn. Both read the game afresh whenever it says they changed.

#include "game/game.h"

#include <QAbstractTableModel>
#include <QColor>
#include <QStringList>

namespace caici {

class ReviewModel : public QAbstractTableModel {
    Q_OBJECT
public:
    enum Column { word, verdict, columns };

    explicit ReviewModel(const Game& game, QObject* parent = nullptr);

    // The game's review changed: read it again.
    void refresh();

    int rowCount(const QModelIndex& parent = {}) const override;
    int columnCount(const QModelIndex& parent = {}) const override;
    QVariant data(const QModelIndex& index, int role) const override;
    QVariant headerData(int section, Qt::Orientation orientation, int role) const override;

private:
    const Game& game_;
};

class StandingsModel : public QAbstractTableModel {
    Q_OBJECT
public:
    enum Column { rank, team, score, skips, rounds, columns };

    // How a column looks wherever the standings are drawn: on the big screen
    // and in the exported picture alike.
    struct ColumnLook {
        QColor color;
        Qt::Alignment alignment;
        // Numbers in the game's seven-segment face, like the time and score.
        bool digits = false;
    };
    static ColumnLook look(Column column);
    static QString title(Column column);
    static QString text(const Standing& standing, Column column);

    explicit StandingsModel(const Game& game, QObject* parent = nullptr);

    void refresh();
    const std::vector<Standing>& standings() const { return standings_; }

    int rowCount(const QModelIndex& parent = {}) const override;
    int columnCount(const QModelIndex& parent = {}) const override;
    QVariant data(const QModelIndex& index, int role) const override;
    QVariant headerData(int section, Qt::Orientation orientation, int role) const override;

private:
    const Game& game_;
    std::vector<Standing> standings_;
};

// How a review shows a word's verdict: "✓ +3", "✗ 跳过", "✗".
QString verdictText(const ReviewEntry& entry);
// A rank as the scoreboard shows it: "2" or "2 并列".
QString rankText(const Standing& standing);
// What the scoreboard says under its title: "比赛结束", or what comes next
// (see nextRoundText).
QString matchStatusText(const Match& match);
// The round match plays next, as the scoreboard announces it:
// "下一轮：第2轮 · 比划 · 红队（表演：张三）"; for a tie-break the teams still
// tied with the next one, "加赛：红队、蓝队 · 轮到：红队"; for the final
// "决赛（双倍分）：红队、蓝队 · 轮到：蓝队（表演：李四）".
QString nextRoundText(const Match& match, const NextRound& next);
// The podium's awards, one line each: "最佳表演：张三（红队）12 分",
// "神速：李四 中位 3.2 秒", several names where players are equal; none for
// an award nobody earned. teams are the match's team names.
QStringList awardLines(const Awards& awards, const std::vector<std::string>& teams);

}  // namespace caici
